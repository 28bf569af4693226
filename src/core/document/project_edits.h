#pragma once

#include "document/edit_command.h"
#include "document/edit_values.h"
#include "document/step_name.h"

namespace tolv {

// The project-wide values a step may change, each read and written whole,
// with the notification its change gives and whether a run of changes
// undoes as one step.
struct LockLayoutField {
    using Value = bool;
    static constexpr StepName Step = steps::LockLayout;
    static constexpr bool MergesRuns = false;
    static Value Read(const Project& p) { return p.LockObj; }
    static void Write(Project& p, const Value& v) { p.LockObj = v; }
    static void Report(DocumentChange&) {}
};

struct ExtractionSwitchesField {
    using Value = ExtractionSwitches;
    static constexpr StepName Step = steps::ExtractionSwitches;
    static constexpr bool MergesRuns = false;
    static Value Read(const Project& p) { return {p.Clips, p.Backgrnds}; }
    static void Write(Project& p, const Value& v)
    {
        p.Clips = v.Clips;
        p.Backgrnds = v.Backgrnds;
    }
    static void Report(DocumentChange&) {}
};

struct FrameSetupField {
    using Value = FrameSetup;
    static constexpr StepName Step = steps::ProjectSetup;
    static constexpr bool MergesRuns = false;
    static Value Read(const Project& p)
    {
        return {{p.FrameNames, p.CleanEdges, p.Rep, p.Job},
                p.FrameStatus,
                p.FrameAreaWidth,
                p.FrameAreaHeight,
                p.CurrentFrame};
    }
    static void Write(Project& p, const Value& v)
    {
        p.SetFrameNames(v.Setup.FrameNames);
        p.CleanEdges = v.Setup.CleanEdges;
        p.Rep = v.Setup.Rep;
        p.Job = v.Setup.Job;
        p.FrameStatus = v.FrameStatus;
        p.FrameAreaWidth = v.FrameAreaWidth;
        p.FrameAreaHeight = v.FrameAreaHeight;
        p.CurrentFrame = v.CurrentFrame;
    }
    static void Report(DocumentChange& change) { change.frameListChanged = true; }
};

// The step of keyboard moves and sizes, saved with the project: the keypad
// keys change it one press at a time, and a run of presses undoes as one.
struct ShowPreviewField {
    using Value = bool;
    static constexpr StepName Step = steps::ShowPreview;
    static constexpr bool MergesRuns = false;
    static Value Read(const Project& p) { return p.ShowPreview; }
    static void Write(Project& p, const Value& v) { p.ShowPreview = v; }
    static void Report(DocumentChange&) {}
};

struct NudgeStepField {
    using Value = int;
    static constexpr StepName Step = steps::NudgeStep;
    static constexpr bool MergesRuns = true;
    static Value Read(const Project& p) { return p.NudgeStep; }
    static void Write(Project& p, const Value& v) { p.NudgeStep = v; }
    static void Report(DocumentChange&) {}
};

template <typename Field>
class ProjectFieldEdit final : public EditCommand {
public:
    using Value = typename Field::Value;

    ProjectFieldEdit(Value before, Value after) : before_(std::move(before)), after_(std::move(after)) {}

    void apply(Project& project, DocumentChange& change) override { write(project, after_, change); }
    void revert(Project& project, DocumentChange& change) override { write(project, before_, change); }
    std::string name() const override { return Field::Step.text(0); }
    std::size_t bytes() const override { return sizeof(*this) + HeapBytes(before_) + HeapBytes(after_); }

    bool absorb(const EditCommand& next) override
    {
        const auto* same = dynamic_cast<const ProjectFieldEdit*>(&next);
        if (!Field::MergesRuns || !same)
            return false;
        after_ = same->after_;
        return true;
    }

private:
    static void write(Project& project, const Value& value, DocumentChange& change)
    {
        Field::Write(project, value);
        Field::Report(change);
    }

    Value before_;
    Value after_;
};

}  // namespace tolv
