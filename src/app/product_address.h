// The product's web addresses: the home page is the root of the host, the help
// page and the history file's second line are paths on the same host.
#pragma once

namespace tarvex {

inline constexpr char kProductHomePage[] = "https://www.tarvex.cn/";
inline constexpr char kProductHelpPage[] = "https://www.tarvex.cn/tarvex/cn/help/";
inline constexpr char kProductPagesAddress[] = "https://www.tarvex.cn/tarvex/cn/";

}  // namespace tarvex
