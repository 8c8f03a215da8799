// The operator's message boxes as real boxes: a question shows Yes and No only, and Escape or its
// close control dismiss it.
#include "qt/message_box_dialogs.h"
#include "shell_program.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

TEST(MessageBoxQuestion, YesNoOrDismissedByEscapeAndTheCloseControl)
{
    const struct {
        const char *how;
        std::function<void(QMessageBox &)> act;
        Answer expected;
    } cases[] = {
        {"Yes", [](QMessageBox &box) { box.button(QMessageBox::Yes)->click(); }, Answer::Yes},
        {"No", [](QMessageBox &box) { box.button(QMessageBox::No)->click(); }, Answer::No},
        {"Escape", [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); },
         Answer::Dismissed},
        {"close control", [](QMessageBox &box) { box.close(); }, Answer::Dismissed},
    };
    qt::MessageBoxDialogs dialogs;
    for (const auto &c : cases) {
        QStringList shown;
        onModalBox([&](QWidget &widget) {
            auto &box = dynamic_cast<QMessageBox &>(widget);
            for (QAbstractButton *button : box.buttons())
                if (button->isVisible())
                    shown << button->text();
            c.act(box);
        });
        EXPECT_EQ(dialogs.question("Save messages first?"), c.expected) << c.how;
        shown.sort();
        EXPECT_EQ(shown.join(QLatin1Char(' ')), QStringLiteral("&No &Yes")) << c.how;
    }
}

} // namespace
} // namespace fenlark::test
