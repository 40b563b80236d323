#pragma once

namespace kivo {

// 1-based status-bar panels; the gauge lies over the first.
enum class StatusPanel { Gauge = 1, UserCount = 2, UserName = 3 };

} // namespace kivo
