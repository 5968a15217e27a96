#pragma once
// The --info report: identity, audio layout, parameters and programs of a loaded plug-in.
#include <cstdio>

class LoadedPlugin;

void printInfo(LoadedPlugin& plugin, std::FILE* out);
