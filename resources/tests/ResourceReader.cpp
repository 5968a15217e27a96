#include "ResourceReader.h"

#include <cstring>

std::vector<uint8_t> ReadResource(LPCSTR type, int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceExA(module, type, MAKEINTRESOURCEA(id),
                               MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  if (!info) return {};
  HGLOBAL handle = LoadResource(module, info);
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, info));
}

namespace {

// Sequential reader over template bytes; any read past the end sets failed.
class Cursor {
 public:
  explicit Cursor(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  template <typename T>
  T Read() {
    T value{};
    if (pos_ + sizeof(T) > bytes_.size()) {
      failed_ = true;
      pos_ = bytes_.size();
      return value;
    }
    std::memcpy(&value, bytes_.data() + pos_, sizeof(T));
    pos_ += sizeof(T);
    return value;
  }

  std::wstring ReadString() {
    std::wstring text;
    for (uint16_t c = Read<uint16_t>(); c != 0 && !failed_; c = Read<uint16_t>())
      text.push_back(static_cast<wchar_t>(c));
    return text;
  }

  TemplateName ReadName() {
    TemplateName name;
    uint16_t first = Read<uint16_t>();
    if (first == 0) return name;
    name.present = true;
    if (first == 0xFFFF) {
      name.ordinal = Read<uint16_t>();
      return name;
    }
    name.text.push_back(static_cast<wchar_t>(first));
    name.text += ReadString();
    return name;
  }

  void Skip(size_t count) {
    if (pos_ + count > bytes_.size()) failed_ = true;
    pos_ = failed_ ? bytes_.size() : pos_ + count;
  }
  void AlignToDword() { Skip((4 - pos_ % 4) % 4); }
  bool Failed() const { return failed_; }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t pos_ = 0;
  bool failed_ = false;
};

}  // namespace

bool ParseExtendedDialog(const std::vector<uint8_t>& bytes, DialogTemplate& out) {
  Cursor in(bytes);
  out = DialogTemplate{};
  out.version = in.Read<uint16_t>();
  out.signature = in.Read<uint16_t>();
  if (out.version != 1 || out.signature != 0xFFFF) return false;
  out.helpId = in.Read<uint32_t>();
  out.exStyle = in.Read<uint32_t>();
  out.style = in.Read<uint32_t>();
  uint16_t count = in.Read<uint16_t>();
  out.x = in.Read<int16_t>();
  out.y = in.Read<int16_t>();
  out.cx = in.Read<int16_t>();
  out.cy = in.Read<int16_t>();
  out.menu = in.ReadName();
  out.windowClass = in.ReadName();
  out.title.text = in.ReadString();
  out.title.present = !out.title.text.empty();
  if (out.style & (DS_SETFONT | DS_SHELLFONT)) {
    out.pointSize = in.Read<uint16_t>();
    out.weight = in.Read<uint16_t>();
    out.italic = in.Read<uint8_t>();
    out.charset = in.Read<uint8_t>();
    out.typeface = in.ReadString();
  }
  for (uint16_t i = 0; i < count && !in.Failed(); ++i) {
    in.AlignToDword();
    DialogItem item;
    item.helpId = in.Read<uint32_t>();
    item.exStyle = in.Read<uint32_t>();
    item.style = in.Read<uint32_t>();
    item.x = in.Read<int16_t>();
    item.y = in.Read<int16_t>();
    item.cx = in.Read<int16_t>();
    item.cy = in.Read<int16_t>();
    item.id = in.Read<uint32_t>();
    item.windowClass = in.ReadName();
    item.title = in.ReadName();
    item.extraBytes = in.Read<uint16_t>();
    in.Skip(item.extraBytes);
    out.items.push_back(item);
  }
  return !in.Failed();
}

std::wstring ClassNameOf(const TemplateName& windowClass) {
  if (!windowClass.text.empty()) return windowClass.text;
  switch (windowClass.ordinal) {
    case 0x0080: return L"Button";
    case 0x0081: return L"Edit";
    case 0x0082: return L"Static";
    case 0x0083: return L"ListBox";
    case 0x0084: return L"ScrollBar";
    case 0x0085: return L"ComboBox";
    default: return L"";
  }
}
