#include "cli/problem_log.h"

#include "cli/console_log.h"

namespace tolv::cli {

void ProblemLog::Refused(const Refusal& refusal)
{
    next_.Refused(refusal);
    Problem({ProblemKind::Refused, refusal.output, refusal.region, refusal.message});
}

void ProblemLog::Problem(const RunProblem& problem)
{
    ++problems_;
    PrintError(problem.message);
    if (events_) {
        events_->Problem(problem);
    }
}

}  // namespace tolv::cli
