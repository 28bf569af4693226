#pragma once

#include "project/region.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <tuple>
#include <type_traits>

namespace tolv {

// The persistent fields of a region, in one table that the project file, the
// copies, the no-op check of an edit and `show` all go through, so that a
// field added to Region and to the table reaches every one of them.
//
// The rows are in the order a region section of the project file lists its
// keys, which other programs read. `shownAt` is a field's place in `show`,
// which lists the name and position first.

// Whether a field is stored for every region or only for a text box.
enum class FieldScope { EveryRegion, TextBox };

// A field stored as one key.
template <typename Value>
struct ValueField {
    std::string_view iniKey;
    std::string_view jsonKey;
    Value Region::*member;
    int shownAt;
    FieldScope scope = FieldScope::EveryRegion;
};

// Left, Top, Width and Height: one key "L,T,W,H" in the file, four in `show`.
struct PositionField {
    std::string_view iniKey;
    std::array<std::string_view, 4> jsonKeys;
    std::array<int Region::*, 4> members;
    int shownAt;
};

// The worksheet: one key per row in use, named rowKeyPrefix and its number.
struct WorksheetField {
    std::string_view rowKeyPrefix;
    std::string_view jsonKey;
    WorksheetColumn Region::*input;
    WorksheetColumn Region::*output;
    int shownAt;
};

// The sprite sheet: its own keys, written only when the region asks for one,
// and in `show` only then.
struct SheetField {
    std::string_view jsonKey;
    SheetSettings Region::*member;
    int shownAt;
};

inline constexpr PositionField RegionPosition{
    "Position", {"Left", "Top", "Width", "Height"}, {&Region::Left, &Region::Top, &Region::Width, &Region::Height}, 1};
inline constexpr WorksheetField RegionWorksheet{"Clip", "Rows", &Region::InputFrame, &Region::OutputFile, 10};

inline constexpr SheetField RegionSheet{"Sheet", &Region::Sheet, 11};

inline constexpr auto RegionFields = std::tuple{
    ValueField<std::string>{"Name", "Name", &Region::Name, 0},
    ValueField<std::string>{"OVLName", "OVLName", &Region::OVLName, 4},
    ValueField<bool>{"Visible", "Visible", &Region::Visible, 2},
    ValueField<RegionKind>{"Backgrnd", "RegionType", &Region::RegionType, 3},
    ValueField<bool>{"Title", "Title", &Region::Title, 5, FieldScope::TextBox},
    ValueField<int>{"LineWidth", "LineWidth", &Region::LineWidth, 6, FieldScope::TextBox},
    ValueField<int>{"TitleHeight", "TitleHeight", &Region::TitleHeight, 7, FieldScope::TextBox},
    ValueField<Color>{"TitleColor", "TitleColor", &Region::TitleColor, 8, FieldScope::TextBox},
    ValueField<Color>{"BoxColor", "BoxColor", &Region::BoxColor, 9, FieldScope::TextBox},
    RegionPosition,
    RegionWorksheet,
    RegionSheet,
};

inline constexpr std::size_t RegionFieldCount = std::tuple_size_v<decltype(RegionFields)>;

// Calls visit(descriptor) for every row of the table, in file order.
template <typename Visitor>
constexpr void ForEachRegionField(Visitor&& visit)
{
    std::apply([&](const auto&... field) { (visit(field), ...); }, RegionFields);
}

// Calls visit(memberPointer) for every Region member that the table covers.
template <typename Visitor>
constexpr void ForEachPersistentMember(Visitor&& visit)
{
    ForEachRegionField([&]<typename Field>(const Field& field) {
        if constexpr (std::is_same_v<Field, PositionField>) {
            for (int Region::*member : field.members)
                visit(member);
        } else if constexpr (std::is_same_v<Field, WorksheetField>) {
            visit(field.input);
            visit(field.output);
        } else {
            visit(field.member);
        }
    });
}

// Whether a value field is kept for this region: a text-box field only for a
// text box; the others always.
template <typename Value>
bool StoredFor(const ValueField<Value>& field, const Region& region)
{
    return field.scope == FieldScope::EveryRegion || region.RegionType == RegionKind::TextBox;
}

// How many fields only a text box keeps: what a view of the text-box options
// checks itself against.
constexpr std::size_t TextBoxFieldCount()
{
    std::size_t count = 0;
    ForEachRegionField([&]<typename Field>(const Field& field) {
        if constexpr (requires { field.scope; })
            count += field.scope == FieldScope::TextBox;
    });
    return count;
}

namespace region_fields_detail {
constexpr bool EachShownOnce()
{
    std::array<int, RegionFieldCount> times{};
    bool inRange = true;
    ForEachRegionField([&](const auto& field) {
        inRange = inRange && field.shownAt >= 0 && std::size_t(field.shownAt) < RegionFieldCount;
        if (inRange)
            ++times[std::size_t(field.shownAt)];
    });
    for (const int count : times)
        inRange = inRange && count == 1;
    return inRange;
}
static_assert(EachShownOnce(), "every field needs its own place in show");
}  // namespace region_fields_detail

// Puts every persistent field of `from` into `to`; run-time fields stay.
void CopyPersistentFields(const Region& from, Region& to);
bool SamePersistentFields(const Region& a, const Region& b);

}  // namespace tolv
