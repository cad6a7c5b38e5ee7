#include "Pictures.h"

#include <QImageReader>
#include <QString>

namespace vell3 {

bool PictureLoads(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    return !reader.read().isNull();
}

} // namespace vell3
