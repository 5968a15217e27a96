#pragma once
// A plain-text table with aligned columns: text left-aligned, numbers right-aligned, a rule under
// the header. ASCII only, so that widths count characters.
#include <ostream>
#include <string>
#include <vector>

class TextTable
{
public:
    enum class Align { Left, Right };

    void addColumn(std::string heading, Align align);
    void addRow(std::vector<std::string> cells); // one cell per column
    void print(std::ostream& out) const;

private:
    std::vector<std::string> headings_;
    std::vector<Align> aligns_;
    std::vector<std::vector<std::string>> rows_;
};

// A number with a fixed count of decimals, for table cells.
std::string fixed(double value, int decimals);
