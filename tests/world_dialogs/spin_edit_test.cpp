// The number fields of the dialogs keep their value inside their range.
#include "world/qt/spin_edit.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct TypedCase {
    const char *typed;
    int expected;
};

void PrintTo(const TypedCase &c, std::ostream *os)
{
    *os << '"' << c.typed << "\" -> " << c.expected;
}

class SpinEditTyping : public ::testing::TestWithParam<TypedCase> {};

TEST_P(SpinEditTyping, TypedTextIsCorrectedWhenRead)
{
    tumbo::TSpinEdit spin(1, 999);
    spin.setValue(5);
    QLineEdit *edit = spin.findChild<QLineEdit *>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromLatin1(GetParam().typed));
    EXPECT_EQ(spin.CommittedValue(), GetParam().expected);
    EXPECT_EQ(spin.text(), QString::number(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, SpinEditTyping,
                         ::testing::Values(TypedCase{"17", 17}, TypedCase{"0", 1},
                                           TypedCase{"1000", 999}, TypedCase{"-5", 1},
                                           TypedCase{"abc", 1}, TypedCase{"", 1},
                                           TypedCase{"12a", 1},
                                           TypedCase{"99999999999999999999999", 999}),
                         [](const auto &info) {
                           // "Typed_12a", "Typed_minus5", "Typed_empty": the text that was typed
                           std::string name = "Typed_";
                           const std::string typed = info.param.typed;
                           if (typed.empty())
                             name += "empty";
                           for (char c : typed)
                             name += c == '-' ? std::string("minus") : std::string(1, c);
                           return name;
                         });

TEST(SpinEdit, ValueSetFromOutsideShowsNearestBound)
{
    tumbo::TSpinEdit spin(1, 10);
    spin.setValue(0);
    EXPECT_EQ(spin.value(), 1);
    spin.setValue(25);
    EXPECT_EQ(spin.value(), 10);
    EXPECT_EQ(spin.text(), QStringLiteral("10"));
}

TEST(SpinEdit, LeavingTheFieldCorrectsTheText)
{
    QWidget window;
    auto *spin = new tumbo::TSpinEdit(0, 10, &window);
    auto *other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    spin->setFocus();
    QLineEdit *edit = spin->findChild<QLineEdit *>();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("42"));
    other->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(spin->text(), QStringLiteral("10"));
    EXPECT_EQ(spin->value(), 10);
}

}  // namespace
