#pragma once
// Errors of the chart: raised when layers are joined in a way that cannot work.

#include "expr/Errors.h"

namespace tessaly {

class ETovraRChartError : public ETovraError {
public:
    using ETovraError::ETovraError;
};

} // namespace tessaly
