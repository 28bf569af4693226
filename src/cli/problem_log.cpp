#include "cli/problem_log.h"

#include "cli/console_log.h"

namespace tolv::cli {

void ProblemLog::refused(const Refusal& refusal)
{
    next_.refused(refusal);
    problem({ProblemKind::Refused, refusal.output, refusal.region, refusal.message});
}

void ProblemLog::problem(const RunProblem& problem)
{
    ++problems_;
    PrintError(problem.message);
    if (events_) {
        events_->problem(problem);
    }
}

}  // namespace tolv::cli
