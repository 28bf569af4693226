#include "editor/key_map.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

constexpr KeyModifiers None{};
constexpr KeyModifiers Shift{true, false, false};
constexpr KeyModifiers Ctrl{false, true, false};
constexpr KeyModifiers CtrlShift{true, true, false};
constexpr KeyModifiers Alt{false, false, true};
constexpr KeyModifiers ShiftAlt{true, false, true};

struct KeyCase {
    const char* name;
    EditKey key;
    KeyModifiers held;
    bool locked;
    KeyAction action;
};

class KeyMap : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyMap, ResolvesReleasedKey)
{
    EXPECT_EQ(ResolveKey(GetParam().key, GetParam().held, 10, GetParam().locked), GetParam().action);
}

using C = KeyCommand;

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyMap,
    testing::Values(
        KeyCase{"Tab", EditKey::Tab, None, false, {C::SelectNext}},
        KeyCase{"ShiftTab", EditKey::Tab, Shift, false, {C::SelectPrevious}},
        KeyCase{"AltTab", EditKey::Tab, Alt, false, {}}, KeyCase{"ShiftAltTab", EditKey::Tab, ShiftAlt, false, {}},
        KeyCase{"Escape", EditKey::Escape, Ctrl, true, {C::Deselect}},
        KeyCase{"CtrlLeft", EditKey::Left, Ctrl, false, {C::SizeSelected, -10, 0}},
        KeyCase{"CtrlShiftLeftSizes", EditKey::Left, CtrlShift, false, {C::SizeSelected, -10, 0}},
        KeyCase{"ShiftUp", EditKey::Up, Shift, false, {C::MoveSelected, 0, -10}},
        KeyCase{"ShiftRight", EditKey::Right, Shift, false, {C::MoveSelected, 10, 0}},
        KeyCase{"CtrlDown", EditKey::Down, Ctrl, false, {C::SizeSelected, 0, 10}},
        KeyCase{"BareArrow", EditKey::Down, None, false, {}}, KeyCase{"AltArrow", EditKey::Left, Alt, false, {}},
        KeyCase{"ShiftInsert", EditKey::Insert, Shift, false, {C::Duplicate}},
        KeyCase{"BareInsert", EditKey::Insert, None, false, {}},
        KeyCase{"Delete", EditKey::Delete, None, false, {C::Delete}},
        KeyCase{"ShiftDelete", EditKey::Delete, Shift, false, {C::Delete}},
        KeyCase{"DeleteLocked", EditKey::Delete, None, true, {}},
        KeyCase{"CtrlH", EditKey::H, Ctrl, false, {C::HideToggle}}, KeyCase{"BareH", EditKey::H, None, false, {}},
        KeyCase{"CtrlP", EditKey::P, Ctrl, true, {C::Properties}},
        KeyCase{"PadMultiply", EditKey::PadMultiply, None, false, {C::ChangeNudge, 0, 0, 10}},
        KeyCase{"PadAdd", EditKey::PadAdd, None, false, {C::ChangeNudge, 0, 0, 1}},
        KeyCase{"PadSubtract", EditKey::PadSubtract, Shift, false, {C::ChangeNudge, 0, 0, -1}},
        KeyCase{"PadDivide", EditKey::PadDivide, None, false, {C::ChangeNudge, 0, 0, -10}},
        KeyCase{"ShiftItself", EditKey::Shift, None, false, {}}, KeyCase{"Other", EditKey::Other, Ctrl, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyMap, OnlyShiftAndCtrlEndNudging)
{
    EXPECT_TRUE(EndsNudging(EditKey::Shift));
    EXPECT_TRUE(EndsNudging(EditKey::Control));
    EXPECT_FALSE(EndsNudging(EditKey::Left));
}

}  // namespace
}  // namespace tolv
