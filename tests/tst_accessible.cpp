// What assistive technology finds in the window: the window and every control named in
// Lithuanian, the tooltips' sense as descriptions, Qt's descriptions of the controls' actions
// translated, and each new result told.
#include "formfixture.h"
#include "lithuanian.h"

#include <QAccessible>
#include <QAccessibleBridge>
#include <QAccessibleBridgePlugin>
#include <QLabel>
#include <QLineEdit>
#include <QtPlugin>

#include <utility>

namespace {

// Hears every accessibility event, as the desktop's bridge to assistive technology would. Qt
// hands events to the bridges it finds as plugins; this one is built into the test.
class RecordingBridge final : public QAccessibleBridge
{
public:
    void setRootObject(QAccessibleInterface *) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent *event) override
    {
        events.append({event->type(), event->object()});
    }

    static inline QList<std::pair<QAccessible::Event, QObject *>> events;
};

int eventsFor(QObject *object, QAccessible::Event type)
{
    return int(RecordingBridge::events.count({type, object}));
}

} // namespace

class RecordingBridgePlugin : public QAccessibleBridgePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "recordingbridge.json")

public:
    QAccessibleBridge *create(const QString &) override { return new RecordingBridge; }
};

Q_IMPORT_PLUGIN(RecordingBridgePlugin)

class tst_Accessible : public FormTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void names_data();
    void names();
    void newResultIsTold();

private:
    QAccessibleInterface *accessible(const QString &objectName) const
    {
        QObject *object =
            objectName == u"Form1" ? form.get() : form->findChild<QObject *>(objectName);
        return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    }
};

void tst_Accessible::initTestCase()
{
    FormTestCase::initTestCase();
    suma::installLithuanian(*qApp); // the action descriptions are in the program's own catalogue
}

void tst_Accessible::names_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name"); // none: the caption it shows (tst_design has them)
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("actions"); // as described to assistive technology

    const QString press = QStringLiteral("Atlieka veiksmą");
    const QString toggle = QStringLiteral("Perjungia būseną");
    const QString focus = QStringLiteral("Perkelia židinį čia");
    // One control of each kind: Qt's own interface speaks for its siblings alike.

    QTest::newRow("Form1") << "Form1" << QAccessible::Window << "" << "" << QStringList();
    QTest::newRow("Text1") << "Text1" << QAccessible::EditableText << "Skaičius"
                           << "Čia įrašyk skaičius" << QStringList{focus};
    QTest::newRow("Command1") << "Command1" << QAccessible::PushButton << "" << ""
                              << QStringList{press, focus};
    QTest::newRow("Option1") << "Option1" << QAccessible::RadioButton << "" << ""
                             << QStringList{toggle, focus};
    QTest::newRow("Check1") << "Check1" << QAccessible::CheckBox << "" << ""
                            << QStringList{toggle, focus};
    QTest::newRow("Frame1") << "Frame1" << QAccessible::Grouping << "" << "" << QStringList();
    QTest::newRow("Label1, no result yet") << "Label1" << QAccessible::StaticText
                                           << "Suma žodžiais" << "" << QStringList();
    // The pictures say what they do, not what they show.
    QTest::newRow("Picture1") << "Picture1" << QAccessible::Graphic << "Užverti"
                              << "Užbaigti programą" << QStringList();
    QTest::newRow("Picture2") << "Picture2" << QAccessible::Graphic << "Iškarpinė"
                              << "Išverstą tekstą patalpina į iškarpinę" << QStringList();
}

void tst_Accessible::names()
{
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QStringList, actions);

    QAccessibleInterface *iface = accessible(control);
    QVERIFY(iface);
    QCOMPARE(iface->role(), role);
    const auto *widget = qobject_cast<const QWidget *>(iface->object());
    QVERIFY(widget);
    // A control with a caption is named by it, as the screen shows it.
    const QString expected = name.isEmpty() ? caption(*widget).remove(u'&') : name;
    QVERIFY(!expected.isEmpty());
    QCOMPARE(iface->text(QAccessible::Name), expected);
    QCOMPARE(iface->text(QAccessible::Description), description);
    QStringList described;
    if (QAccessibleActionInterface *actionInterface = iface->actionInterface()) {
        for (const QString &action : actionInterface->actionNames())
            described.append(actionInterface->localizedActionDescription(action));
    }
    QCOMPARE(described, actions);
}

void tst_Accessible::newResultIsTold()
{
    QAccessibleInterface *label = accessible(QStringLiteral("Label1"));
    QVERIFY(label);
    RecordingBridge::events.clear();

    form->Text1->setText(QStringLiteral("12"));
    QTest::keyClick(form->Text1, Qt::Key_Return);
    QCOMPARE(form->Label1->text(), QStringLiteral("Dvylika Lt"));
    QCOMPARE(eventsFor(form->Label1, QAccessible::DescriptionChanged), 1);
    QCOMPARE(label->text(QAccessible::Name), QStringLiteral("Suma žodžiais"));
    QCOMPARE(label->text(QAccessible::Description), QStringLiteral("Dvylika Lt"));

    // The same result again is told again: the user asked for it.
    QTest::keyClick(form->Text1, Qt::Key_Return);
    QCOMPARE(eventsFor(form->Label1, QAccessible::DescriptionChanged), 2);

    // A refused input leaves the result, and tells nothing new of it.
    form->Text1->setText(QStringLiteral("abc"));
    QTest::keyClick(form->Text1, Qt::Key_Return);
    QCOMPARE(toolkit->messages.size(), 1);
    QCOMPARE(eventsFor(form->Label1, QAccessible::DescriptionChanged), 2);
    QCOMPARE(label->text(QAccessible::Description), QStringLiteral("Dvylika Lt"));
}

QTEST_MAIN(tst_Accessible)
#include "tst_accessible.moc"
