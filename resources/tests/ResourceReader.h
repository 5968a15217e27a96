// Reads the resources linked into the running executable, as the dialog manager and GDI see them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A name-or-ordinal field of a dialog template (class, menu).
struct TemplateName {
  bool present = false;
  uint16_t ordinal = 0;  // used when text is empty and present is true
  std::wstring text;
};

struct DialogItem {
  uint32_t helpId = 0, exStyle = 0, style = 0;
  int16_t x = 0, y = 0, cx = 0, cy = 0;
  uint32_t id = 0;
  TemplateName windowClass;
  TemplateName title;
  uint16_t extraBytes = 0;
};

struct DialogTemplate {
  uint16_t version = 0, signature = 0;
  uint32_t helpId = 0, exStyle = 0, style = 0;
  int16_t x = 0, y = 0, cx = 0, cy = 0;
  TemplateName menu, windowClass, title;
  uint16_t pointSize = 0, weight = 0;
  uint8_t italic = 0, charset = 0;
  std::wstring typeface;
  std::vector<DialogItem> items;
};

// The raw bytes of resource (type, id) in US English; empty when there is none.
std::vector<uint8_t> ReadResource(LPCSTR type, int id);

// Parses an extended dialog template (DLGTEMPLATEEX with its DLGITEMTEMPLATEEX items).
// Returns false when the bytes are not one or are cut short.
bool ParseExtendedDialog(const std::vector<uint8_t>& bytes, DialogTemplate& out);

// The class name a template class field stands for ("Button" for ordinal 0x0080 ...).
std::wstring ClassNameOf(const TemplateName& windowClass);
