#include "ui/handler_guard.h"

namespace velora::ui {

void showDefaultError(const Environment& env, QString text) {
    if (!text.isEmpty() && text.back() > QChar('.')) {
        text += '.';
    }
    if (env.dialogs) {
        env.dialogs->error(env.applicationTitle(), text);
    }
}

}  // namespace velora::ui
