#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

namespace tolv {

constexpr int WorksheetRows = 50;

// One column of a region's worksheet: WorksheetRows cells, row 1 at index 0.
// Most regions fill a few rows of the 50, and a project may hold 100,000
// regions, so only the cells up to the last filled one are kept; the others
// read as empty. Cells are written through set() so that reading a row never
// makes room for it.
class WorksheetColumn {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string*;
        using reference = const std::string&;

        const_iterator() = default;
        const_iterator(const WorksheetColumn& column, std::size_t row) : column_(&column), row_(row) {}
        reference operator*() const { return (*column_)[row_]; }
        pointer operator->() const { return &(*column_)[row_]; }
        const_iterator& operator++()
        {
            ++row_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++row_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return row_ == other.row_; }

    private:
        const WorksheetColumn* column_ = nullptr;
        std::size_t row_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string;

    WorksheetColumn() = default;
    // From and to the cells of a whole column, as the worksheet editor holds them.
    WorksheetColumn(const std::array<std::string, WorksheetRows>& cells);
    operator std::array<std::string, WorksheetRows>() const;

    static constexpr std::size_t size() { return WorksheetRows; }
    const std::string& operator[](std::size_t row) const;
    const std::string& back() const { return (*this)[WorksheetRows - 1]; }
    void set(std::size_t row, std::string text);
    // How many cells are kept: the rows up to the last filled one.
    std::size_t storedRows() const { return cells_.size(); }

    const_iterator begin() const { return {*this, 0}; }
    const_iterator end() const { return {*this, WorksheetRows}; }

    bool operator==(const WorksheetColumn& other) const { return cells_ == other.cells_; }

private:
    // Never ends in an empty cell, so equal columns hold equal vectors.
    void trim();

    std::vector<std::string> cells_;
};

}  // namespace tolv
