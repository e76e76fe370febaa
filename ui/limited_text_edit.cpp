#include "ui/limited_text_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace velora::ui {

int LimitedTextEdit::countedLength(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

int LimitedTextEdit::roomLeft() const {
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return m_maxLength - countedLength(toPlainText()) + countedLength(selected);
}

void LimitedTextEdit::keyPressEvent(QKeyEvent* event) {
    if (m_maxLength > 0) {
        const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QString typed = event->text();
        const bool inserts = lineBreak || (!typed.isEmpty() && typed.at(0).isPrint());
        if (inserts && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const int cost = lineBreak ? 2 : countedLength(typed);
            if (cost > roomLeft()) {
                event->accept();  // refused
                return;
            }
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::insertFromMimeData(const QMimeData* source) {
    if (m_maxLength <= 0 || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    int room = roomLeft();
    qsizetype fits = 0;
    for (; fits < text.size(); ++fits) {
        const int cost = text.at(fits) == QLatin1Char('\n') ? 2 : 1;
        if (cost > room) {
            break;
        }
        room -= cost;
    }
    textCursor().insertText(text.left(fits));
    ensureCursorVisible();
}

}  // namespace velora::ui
