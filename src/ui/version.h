#pragma once

namespace welvaro::ui {
inline constexpr const char* kVersion = "0.1.0";
}
