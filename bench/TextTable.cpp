#include "TextTable.h"

#include <algorithm>
#include <cstdio>

void TextTable::addColumn(std::string heading, Align align)
{
    headings_.push_back(std::move(heading));
    aligns_.push_back(align);
}

void TextTable::addRow(std::vector<std::string> cells)
{
    cells.resize(headings_.size());
    rows_.push_back(std::move(cells));
}

void TextTable::print(std::ostream& out) const
{
    std::vector<size_t> widths(headings_.size());
    for (size_t c = 0; c < headings_.size(); ++c) {
        widths[c] = headings_[c].size();
        for (const auto& row : rows_)
            widths[c] = std::max(widths[c], row[c].size());
    }
    const auto printRow = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (size_t c = 0; c < cells.size(); ++c) {
            const std::string padding(widths[c] - cells[c].size(), ' ');
            line += (c == 0 ? "" : "  ") + (aligns_[c] == Align::Right ? padding + cells[c] : cells[c] + padding);
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << '\n';
    };
    printRow(headings_);
    std::vector<std::string> rule;
    for (size_t width : widths)
        rule.emplace_back(width, '-');
    printRow(rule);
    for (const auto& row : rows_)
        printRow(row);
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
