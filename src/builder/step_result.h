#pragma once
// What a builder procedure that can fail returns. A failed step has already
// logged why; the run turns it into "STS=9" and stops.
namespace morvane {

enum class [[nodiscard]] StepResult{kDone, kFailed};

}  // namespace morvane
