#include "account/accountchecks.h"

#include <QTest>

using AccountChecks::SignUpField;
Q_DECLARE_METATYPE(AccountChecks::SignUpField)

class TestAccountChecks : public QObject
{
    Q_OBJECT

private slots:
    void signUp_data();
    void signUp();
    void newPassword_data();
    void newPassword();
};

void TestAccountChecks::signUp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<bool>("agreed");
    QTest::addColumn<SignUpField>("field");
    QTest::addColumn<QString>("message");

    QTest::newRow("all empty: name first") << "" << "" << "" << "" << false << SignUpField::Name << "Insert Name";
    QTest::newRow("email missing") << "Ann" << "" << "" << "" << true << SignUpField::Email << "Insert Email";
    QTest::newRow("password missing") << "Ann" << "a@b.c" << "" << "" << true << SignUpField::Password
                                      << "Insert Password";
    QTest::newRow("empty confirmation differs") << "Ann" << "a@b.c" << "a" << "" << true
                                                << SignUpField::Confirm << "Password Confirm Incorrect";
    QTest::newRow("confirmation in other case") << "Ann" << "a@b.c" << "Secret" << "secret" << true
                                                << SignUpField::Confirm << "Password Confirm Incorrect";
    QTest::newRow("confirmation with trailing space") << "Ann" << "a@b.c" << "pw" << "pw " << true
                                                      << SignUpField::Confirm << "Password Confirm Incorrect";
    QTest::newRow("passwords checked before the policy") << "Ann" << "a@b.c" << "pw" << "px" << false
                                                         << SignUpField::Confirm << "Password Confirm Incorrect";
    QTest::newRow("policy not ticked") << "Ann" << "a@b.c" << "pw" << "pw" << false << SignUpField::Policy
                                       << "Don't agree?";
    QTest::newRow("whitespace counts as typed") << " " << " " << " " << " " << true << SignUpField::None
                                                << "";
    QTest::newRow("complete") << "Ann" << "a@b.c" << "pw" << "pw" << true << SignUpField::None << "";
}

void TestAccountChecks::signUp()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(bool, agreed);
    QFETCH(SignUpField, field);
    QFETCH(QString, message);

    const AccountChecks::SignUpProblem problem = AccountChecks::checkSignUp(name, email, password, confirm, agreed);
    QCOMPARE(problem.field, field);
    QCOMPARE(problem.message, message);
}

void TestAccountChecks::newPassword_data()
{
    QTest::addColumn<QString>("pin");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing typed") << "" << "1234" << "" << "" << "Insert Pincode.";
    QTest::newRow("wrong code before empty passwords") << "9999" << "1234" << "" << "" << "Insert Pincode Correctly.";
    QTest::newRow("code with trailing space") << "1234 " << "1234" << "pw" << "pw" << "Insert Pincode Correctly.";
    QTest::newRow("code in other case") << "abcd" << "ABCD" << "pw" << "pw" << "Insert Pincode Correctly.";
    QTest::newRow("password missing") << "1234" << "1234" << "" << "pw" << "Insert Password.";
    QTest::newRow("confirmation missing") << "1234" << "1234" << "pw" << "" << "Insert Confirm.";
    QTest::newRow("confirmation differs") << "1234" << "1234" << "pw" << "pW" << "Confirm Incorrect.";
    QTest::newRow("complete") << "1234" << "1234" << "pw" << "pw" << "";
    // A service that keeps the code to itself judges it.
    QTest::newRow("no code sent back, any code goes") << "9999" << "" << "pw" << "pw" << "";
    QTest::newRow("no code sent back, still one is needed") << "" << "" << "pw" << "pw" << "Insert Pincode.";
}

void TestAccountChecks::newPassword()
{
    QFETCH(QString, pin);
    QFETCH(QString, expected);
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QCOMPARE(AccountChecks::checkNewPassword(pin, expected, password, confirm), message);
}

QTEST_APPLESS_MAIN(TestAccountChecks)
#include "tst_accountchecks.moc"
