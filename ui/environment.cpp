#include "ui/environment.h"

#include <QFileInfo>

namespace velora::ui {

QString Environment::instanceName() const {
    const QString name = QFileInfo(executablePath).fileName();
    return name.left(qMax(0, name.size() - 4));
}

QString Environment::applicationTitle() const {
    QString name = QFileInfo(executablePath).fileName();
    name = name.left(name.indexOf('.') < 0 ? name.size() : name.indexOf('.'));
    return name.left(1) + name.mid(1).toLower();
}

}  // namespace velora::ui
