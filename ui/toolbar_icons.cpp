#include "ui/toolbar_icons.h"

#include <array>

namespace calpero {
namespace {

constexpr std::array<const char*, 8> kImageNames = {
    "0-evaluate-resultant",
    "1-evaluate-numerator",
    "2-evaluate-denominator",
    "3-new-variable",
    "4-backup",
    "5-clear",
    "6-help",
    "7-add",
};

QString ImagePath(const char* set, TToolImage image) {
  return QStringLiteral(":/artwork/toolbar/%1/%2.svg")
      .arg(QLatin1String(set), QLatin1String(kImageNames.at(static_cast<std::size_t>(image))));
}

}  // namespace

QIcon ToolbarIcon(TToolImage image) {
  const QSize size(32, 32);
  QIcon icon;
  icon.addFile(ImagePath("cold", image), size, QIcon::Normal);
  icon.addFile(ImagePath("hot", image), size, QIcon::Active);
  icon.addFile(ImagePath("disabled", image), size, QIcon::Disabled);
  return icon;
}

}  // namespace calpero
