#pragma once
// Controls are made with their designer name as object name, at their place.

#include <QRect>
#include <QString>
#include <QWidget>

namespace velora::ui {

// A new control of type T, owned by `parent`, named `name`, at `geometry`.
template <typename T>
T* makeNamed(QWidget* parent, const char* name, QRect geometry) {
    auto* w = new T(parent);  // owned by its parent
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

}  // namespace velora::ui
