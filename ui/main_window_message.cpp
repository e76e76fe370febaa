// The listener message form's send action.
#include "service/device_identity.h"
#include "service/listener_message.h"
#include "ui/handler_guard.h"
#include "ui/main_window.h"

namespace velora::ui {

void TForm1::Image17Click() {
    // A click while the message is still on its way is ignored: the listener meant one
    // message, and the form is cleared when it has gone.
    if (m_sending) {
        return;
    }
    guarded(m_env, [this] {
        if (Edit1->text().isEmpty() || Edit2->text().isEmpty() || Memo2->toPlainText().isEmpty()) {
            m_env.dialogs->information(m_env.applicationTitle(),
                                       QStringLiteral("Eksik Bilgileri Doldurunuz."));
            return;
        }
        const ListenerMessage message{
            Edit1->text(), Edit2->text(),
            Memo2->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")),
            versiyon->text(), GetMacAddress()};
        m_sending = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{m_sending};
        IdHTTP1.get(listenerMessageUrl(m_env.hosts.service, message));
        Edit1->clear();
        Edit2->clear();
        Memo2->clear();
        m_env.dialogs->information(m_env.applicationTitle(), QStringLiteral("Mesaj Gönderildi"));
    });
}

}  // namespace velora::ui
