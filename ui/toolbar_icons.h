// The toolbar's faces, painted at 1x and 2x so that they stay crisp on
// high-density screens.
#pragma once

#include <QIcon>
#include <QSize>
#include <string_view>

namespace kest {

inline constexpr QSize kToolbarIconSize(24, 22);

// The icon of a face name of the toolbar table ("F", "Pi2", "diamond", ...).
QIcon toolbarIcon(std::string_view face);

}  // namespace kest
