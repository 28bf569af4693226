#include "gui/common/icon_set.h"

#include <QString>

#include <array>

namespace tolv::gui {

QIcon IconFromSet(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

// Made once: the lists ask for them on every paint, and each icon keeps the
// pixmaps it has drawn.
QIcon RegionKindIcon(RegionKind kind)
{
    static const std::array<QIcon, 4> icons{IconFromSet("region-clip"), IconFromSet("region-background"),
                                            IconFromSet("region-text-box"), IconFromSet("region-overlay")};
    return icons.at(std::size_t(kind) % icons.size());
}

}  // namespace tolv::gui
