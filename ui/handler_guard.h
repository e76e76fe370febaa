#pragma once
// The one place where a failure escaping a handler is shown: Qt must never see an
// exception leave a slot or an event handler.

#include <QString>
#include <exception>
#include <utility>

#include "service/http_error.h"
#include "ui/environment.h"

namespace velora::ui {

// The default error box: application title, error icon, the text with a final "."
// when its last character sorts above ".".
void showDefaultError(const Environment& env, QString text);

template <typename Fn>
void guarded(const Environment& env, Fn&& handler) {
    try {
        std::forward<Fn>(handler)();
    } catch (const HttpError& e) {
        showDefaultError(env, e.text());
    } catch (const std::exception& e) {
        showDefaultError(env, QString::fromUtf8(e.what()));
    }
}

}  // namespace velora::ui
