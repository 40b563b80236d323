#pragma once

// The toolbar's buttons: where each stands and the key the dispatcher routes it by.
namespace kivo {

// 1-based positions on the toolbar, separators counted.
enum class ToolbarButton { Open = 1, Update = 2, Print = 4, Undo = 6, Exit = 8 };

namespace toolbar_key {
inline constexpr char kOpen[] = "open";
inline constexpr char kUpdate[] = "update";
inline constexpr char kPrint[] = "print";
inline constexpr char kUndo[] = "undo";
inline constexpr char kExit[] = "exit";
} // namespace toolbar_key

} // namespace kivo
