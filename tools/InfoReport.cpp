#include "InfoReport.h"

#include "LoadedPlugin.h"
#include "Text.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

std::string uniqueIdText(VstInt32 id)
{
    std::string chars;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const unsigned char c = static_cast<unsigned char>((static_cast<uint32_t>(id) >> shift) & 0xFF);
        chars += std::isprint(c) ? static_cast<char>(c) : '?';
    }
    char text[48];
    std::snprintf(text, sizeof text, "'%s' (0x%08X)", chars.c_str(), static_cast<unsigned>(id));
    return text;
}

struct Column
{
    std::vector<std::string> cells;
    std::size_t width() const
    {
        std::size_t widest = 0;
        for (const std::string& cell : cells)
            widest = std::max(widest, cell.size());
        return widest;
    }
};

// Rows of cells, each column padded to its widest cell, the last column unpadded.
void printTable(std::FILE* out, const std::vector<Column>& columns)
{
    std::vector<std::size_t> widths;
    for (const Column& column : columns)
        widths.push_back(column.width());
    for (std::size_t row = 0; row < columns[0].cells.size(); ++row)
    {
        std::string line;
        for (std::size_t c = 0; c < columns.size(); ++c)
        {
            const std::string& cell = columns[c].cells[row];
            line += "  ";
            // Numbers in the first column are right-aligned.
            if (c == 0)
                line += std::string(widths[c] - cell.size(), ' ') + cell;
            else if (c + 1 < columns.size())
                line += cell + std::string(widths[c] - cell.size(), ' ');
            else
                line += cell;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        std::fprintf(out, "%s\n", line.c_str());
    }
}

void printParameters(LoadedPlugin& plugin, std::FILE* out)
{
    std::fprintf(out, "Parameters: %d\n", plugin.parameterCount());
    if (plugin.parameterCount() == 0)
        return;
    std::vector<Column> columns = {{{"#"}}, {{"Name"}}, {{"Label"}}, {{"Current"}}, {{"Range (0n .. 1n)"}}};
    for (int i = 0; i < plugin.parameterCount(); ++i)
    {
        columns[0].cells.push_back(std::to_string(i));
        columns[1].cells.push_back(trim(plugin.parameterName(i)));
        columns[2].cells.push_back(trim(plugin.parameterLabel(i)));
        columns[3].cells.push_back(trim(plugin.parameterDisplay(i)));
        columns[4].cells.push_back(trim(plugin.displayAt(i, 0.0f)) + " .. " + trim(plugin.displayAt(i, 1.0f)));
    }
    printTable(out, columns);
}

void printPrograms(LoadedPlugin& plugin, std::FILE* out)
{
    const int current = plugin.program();
    std::fprintf(out, "Programs: %d\n", plugin.programCount());
    if (plugin.programCount() == 0)
        return;
    std::vector<Column> columns = {{{"#"}}, {{"Name"}}};
    for (int i = 0; i < plugin.programCount(); ++i)
    {
        columns[0].cells.push_back(std::to_string(i));
        columns[1].cells.push_back(plugin.programName(i) + (i == current ? "  (current)" : ""));
    }
    printTable(out, columns);
}

} // namespace

void printInfo(LoadedPlugin& plugin, std::FILE* out)
{
    std::fprintf(out, "Plug-in:    %s\n", plugin.path().c_str());
    std::fprintf(out, "Effect:     %s\n", plugin.effectName().c_str());
    std::fprintf(out, "Product:    %s\n", plugin.product().c_str());
    std::fprintf(out, "Vendor:     %s (version %ld)\n", plugin.vendor().c_str(), static_cast<long>(plugin.vendorVersion()));
    std::fprintf(out, "Unique ID:  %s\n", uniqueIdText(plugin.uniqueId()).c_str());
    std::fprintf(out, "VST:        %ld\n", static_cast<long>(plugin.vstVersion()));
    std::fprintf(out, "Audio:      %d in, %d out, latency %d frames\n", plugin.inputCount(), plugin.outputCount(),
                 plugin.latency());
    printParameters(plugin, out);
    printPrograms(plugin, out);
}
