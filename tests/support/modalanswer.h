#ifndef MODALANSWER_H
#define MODALANSWER_H

#include <QObject>
#include <QWidget>

#include <functional>

namespace wiztest {

namespace detail {
    void answerModal(
        const QObject *context, const QMetaObject &type, std::function<void(QWidget *)> answer);
}

// Answers the next modal dialog from inside its modal loop, the way a user
// would: answer is called with it once the dialog is up. Until a modal window
// is up it keeps looking; a modal window of another type fails the test and is
// closed, so that the test does not hang on it. Nothing happens any more once
// context is destroyed, so an answer to a dialog that never came cannot reach
// into a later test.
template <typename Dialog>
void answerNextModal(const QObject *context, std::function<void(Dialog *)> answer)
{
    detail::answerModal(context, Dialog::staticMetaObject,
        [answer = std::move(answer)](QWidget *dialog) { answer(static_cast<Dialog *>(dialog)); });
}

} // namespace wiztest

#endif
