#pragma once

#include "document/document_change.h"
#include "document/edit_command.h"
#include "document/edit_values.h"
#include "document/step_name.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace tolv {

// The parts of a region that a step may change in place, each read and
// written whole.
struct GeometryField {
    using Value = RegionGeometry;
    static constexpr RegionAspect Aspect = RegionAspect::Geometry;
    static Value Read(const Region& r) { return GeometryOf(r); }
    static void Write(Region& r, const Value& v) { SetGeometry(r, v); }
};

struct VisibilityField {
    using Value = bool;
    static constexpr RegionAspect Aspect = RegionAspect::Visibility;
    static Value Read(const Region& r) { return r.Visible; }
    static void Write(Region& r, const Value& v) { r.Visible = v; }
};

struct PropertiesField {
    using Value = Region;
    static constexpr RegionAspect Aspect = RegionAspect::Properties;
    static Value Read(const Region& r) { return r; }
    static void Write(Region& r, const Value& v) { r = v; }
};

// One field of some regions, named by list position, before and after.
template <typename Field>
class RegionFieldEdit final : public EditCommand {
public:
    using Value = typename Field::Value;
    struct Entry {
        int index = -1;
        Value before;
        Value after;
    };

    // A mergeable step takes in the next mergeable step on the same regions:
    // a run of keyboard nudges undoes as one.
    RegionFieldEdit(StepName step, std::vector<Entry> entries, bool mergeable)
        : step_(step), entries_(std::move(entries)), mergeable_(mergeable)
    {}

    void apply(Project& project, DocumentChange& change) override { write(project, &Entry::after, change); }
    void revert(Project& project, DocumentChange& change) override { write(project, &Entry::before, change); }
    std::string name() const override { return step_.text(entries_.size()); }

    std::size_t bytes() const override
    {
        std::size_t bytes = sizeof(*this) + entries_.capacity() * sizeof(Entry);
        for (const Entry& entry : entries_)
            bytes += HeapBytes(entry.before) + HeapBytes(entry.after);
        return bytes;
    }

    bool absorb(const EditCommand& next) override
    {
        const auto* same = dynamic_cast<const RegionFieldEdit*>(&next);
        if (!mergeable_ || !same || !same->mergeable_ || !sameRegions(*same))
            return false;
        for (std::size_t i = 0; i < entries_.size(); ++i)
            entries_[i].after = same->entries_[i].after;
        return true;
    }

    // The regions the edit changed, for the notification of the edit itself.
    void report(const Project& project, DocumentChange& change) const
    {
        for (const Entry& entry : entries_)
            change.changed.push_back({project.Regions[std::size_t(entry.index)].get(), Field::Aspect});
    }

private:
    void write(Project& project, Value Entry::*value, DocumentChange& change)
    {
        for (const Entry& entry : entries_)
            Field::Write(*project.Regions[std::size_t(entry.index)], entry.*value);
        report(project, change);
    }

    bool sameRegions(const RegionFieldEdit& other) const
    {
        return std::equal(entries_.begin(), entries_.end(), other.entries_.begin(), other.entries_.end(),
                          [](const Entry& a, const Entry& b) { return a.index == b.index; });
    }

    StepName step_;
    std::vector<Entry> entries_;
    bool mergeable_;
};

// Records what an editor rule does to one field of some regions: construct
// before the rule runs, finish after it.
template <typename Field>
class RegionEditRecorder {
public:
    using Edit = RegionFieldEdit<Field>;

    RegionEditRecorder(const Project& project, const std::vector<int>& indexes)
    {
        for (int index : indexes)
            entries_.push_back({index, Field::Read(*project.Regions[std::size_t(index)]), {}});
    }

    // The step, holding only the regions whose field changed; nullptr when
    // none did.
    std::unique_ptr<Edit> finish(const Project& project, StepName step, bool mergeable)
    {
        for (auto& entry : entries_)
            entry.after = Field::Read(*project.Regions[std::size_t(entry.index)]);
        std::erase_if(entries_, [](const auto& entry) { return SameValue(entry.before, entry.after); });
        if (entries_.empty())
            return nullptr;
        return std::make_unique<Edit>(step, std::move(entries_), mergeable);
    }

private:
    std::vector<typename Edit::Entry> entries_;
};

// Regions going into or out of the list at given positions. While out of
// the list the command owns them, so undoing a delete (or redoing an add)
// puts back the same objects at the same positions. Its size counts the
// regions whether it holds them at the moment or the list does, so that it
// does not change as the step is undone and done again.
class RegionListEdit final : public EditCommand {
public:
    enum class Direction { Insert, Remove };
    struct Slot {
        int index = -1;
        std::unique_ptr<Region> region;
    };

    // `slots` in ascending list order; for Insert each holds its region, for
    // Remove the regions are taken from the list when applied.
    RegionListEdit(StepName step, Direction direction, std::vector<Slot> slots);

    void apply(Project& project, DocumentChange& change) override;
    void revert(Project& project, DocumentChange& change) override;
    std::string name() const override;
    std::size_t bytes() const override;

private:
    void insert(Project& project, DocumentChange& change);
    void remove(Project& project, DocumentChange& change);

    StepName step_;
    Direction direction_;
    std::vector<Slot> slots_;
    // The regions' memory, from when the command last held them all.
    std::size_t regionBytes_ = 0;
};

// One region taken from its list position to another; the regions between
// move up or down by one.
class RegionOrderEdit final : public EditCommand {
public:
    RegionOrderEdit(int from, int to) : from_(from), to_(to) {}

    void apply(Project& project, DocumentChange& change) override { move(project, from_, to_, change); }
    void revert(Project& project, DocumentChange& change) override { move(project, to_, from_, change); }
    std::string name() const override;
    std::size_t bytes() const override { return sizeof(*this); }

private:
    static void move(Project& project, int from, int to, DocumentChange& change);

    int from_;
    int to_;
};

}  // namespace tolv
