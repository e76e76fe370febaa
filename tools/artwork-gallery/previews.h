#pragma once

// Panel previews for review: each background with the pictures of its controls laid on it at
// the window's positions, and the two lists filled with sample rows.

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

namespace velora::tools {

QList<QPair<QString, QImage>> panelPreviews();

}  // namespace velora::tools
