// The translation walk over real Qt widgets and over components of our own that expose texts,
// string lists, settings objects and collections through Q_PROPERTY.
#include "host/Parlox2000.h"
#include "support/LanguageFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace tessaly;

class TTestSettings : public QObject {
    Q_OBJECT
    Q_CLASSINFO("TranslateWalk", "Settings")
    Q_PROPERTY(QString Title MEMBER FTitle)
    Q_PROPERTY(TTestSettings* Partner MEMBER FPartner)
public:
    using QObject::QObject;
    QString FTitle;
    TTestSettings* FPartner = nullptr;
};

class TTestItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Text MEMBER FText)
public:
    using QObject::QObject;
    QString FText = "PX_Exit";
};

class TTestComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER FCaption)
    Q_PROPERTY(QString Name MEMBER FName)
    Q_PROPERTY(QStringList Lines MEMBER FLines)
    Q_PROPERTY(TTestSettings* Settings MEMBER FSettings)
    Q_PROPERTY(TTestItem* Buddy MEMBER FBuddy)
    Q_PROPERTY(QList<TTestItem*> Items MEMBER FItems)
    Q_PROPERTY(QObjectList Objects MEMBER FObjects)
public:
    explicit TTestComponent(const QString& name, QObject* parent = nullptr) : QObject(parent)
    {
        setObjectName(name);
        FCaption = "PX_" + name;
    }
    QString FCaption;
    QString FName = "PX_Exit";
    QStringList FLines;
    TTestSettings* FSettings = nullptr;
    TTestItem* FBuddy = nullptr;
    QList<TTestItem*> FItems;
    QObjectList FObjects;
};

namespace {

void LoadWalkFile(TParlox2000& engine)
{
    test::LoadLanguageBytes(
        engine, "[Exit]=Close|$$\r\n[zoom into window]=Zoom into window|$$\r\n[Main]=Main window|$$\r\n"
                "[A]=PX_B|$$\r\n[B]=Twice|$$\r\n[]=Nothing|$$\r\n");
}

} // namespace

TEST(TranslateWalk, MarkedTextsOfRealWidgetsAreTranslated)
{
    TParlox2000 engine;
    LoadWalkFile(engine);
    QWidget form;
    form.setObjectName("PX_Form");
    form.setWindowTitle("PX_Main");
    auto* label = new QLabel("PX_Exit", &form);
    label->setToolTip("PX_zoom into window");
    auto* button = new QPushButton("px_Exit", &form);
    button->setObjectName("PX_Exit");
    auto* check = new QCheckBox("PX_Not in the file", &form);
    auto* edit = new QLineEdit(&form);
    edit->setPlaceholderText("PX_");
    auto* action = new QAction("PX_Exit", &form);
    auto* combo = new QComboBox(&form);
    combo->addItems({"PX_Exit", "Close", "PX_Missing"});
    auto* editable = new QComboBox(&form);
    editable->setEditable(true);
    editable->addItem("plain");
    editable->setEditText("PX_Exit");
    auto* list = new QListWidget(&form);
    list->addItems({"PX_Exit", "px_Exit"});
    auto* tabs = new QTabWidget(&form);
    auto* page = new QLabel("PX_Main");
    tabs->addTab(page, "PX_Exit");
    tabs->setTabToolTip(0, "PX_zoom into window");

    engine.TranslateComponent(form);

    struct Case { QObject* object; const char* property; QVariant value; };
    const Case cases[] = {
        {&form, "windowTitle", "Main window"}, {&form, "objectName", "PX_Form"},
        {label, "text", "Close"}, {label, "toolTip", "Zoom into window"},
        {button, "text", "px_Exit"}, {button, "objectName", "PX_Exit"},
        {check, "text", "Not in the file"},
        {edit, "placeholderText", "Nothing"}, {action, "text", "Close"},
        {combo, "currentIndex", 0},   // translating must not select the other "Close"
        {editable, "currentText", "Close"}, {page, "text", "Main window"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.object->property(c.property), c.value) << c.object->metaObject()->className() << "." << c.property;
    EXPECT_EQ(combo->itemText(0), "Close");
    EXPECT_EQ(combo->itemText(2), "Missing");
    EXPECT_EQ(list->item(0)->text(), "Close");
    EXPECT_EQ(list->item(1)->text(), "px_Exit");
    EXPECT_EQ(tabs->tabText(0), "Close");
    EXPECT_EQ(tabs->tabToolTip(0), "Zoom into window");
}

TEST(TranslateWalk, ParentsComeBeforeChildrenInOrderAndLinesFromLastToFirst)
{
    TParlox2000 engine;
    engine.SetAutoCreate(true);   // the collected texts show the order of the look-ups
    TTestComponent root("root");
    root.FLines = {"PX_L1", "keep", "PX_L3"};
    auto* a = new TTestComponent("a", &root);
    new TTestComponent("a1", a);
    new TTestComponent("a2", a);
    new TTestComponent("b", &root);
    engine.TranslateComponent(root);
    QStringList order;
    for (const QString& entry : engine.NewEntries())
        order << entry.section(']', 0, 0).mid(1);
    EXPECT_EQ(order, (QStringList{"root", "L3", "L1", "a", "a1", "a2", "b"}));
    EXPECT_EQ(root.FLines, (QStringList{"L1", "keep", "L3"}));
    engine.SetAutoCreate(false);
}

TEST(TranslateWalk, OwnComponentsExposeSettingsObjectsAndCollectionsEachTranslatedOnce)
{
    TParlox2000 engine;
    LoadWalkFile(engine);
    TTestComponent component("PX_Exit");
    component.FCaption = "PX_Exit";
    // The settings objects refer to each other, and one is a child as well: each is translated
    // once ("PX_A" gives "PX_B"; a second pass would make that "Twice").
    TTestSettings settings;
    auto* partner = new TTestSettings(&component);
    settings.FTitle = "PX_Exit";
    settings.FPartner = partner;
    partner->FPartner = &settings;
    partner->FTitle = "PX_A";
    TTestItem buddy, first, second, other;
    second.FText = "PX_zoom into window";
    component.FSettings = &settings;
    component.FBuddy = &buddy;
    component.FItems = {&first, nullptr, &second};
    component.FObjects = {&other};

    QList<QObject*> visits;
    engine.OnTranslateObject = [&](TParlox2000&, QObject& object, bool&) { visits << &object; };
    engine.TranslateComponent(component);

    EXPECT_EQ(component.FCaption, "Close");
    EXPECT_EQ(component.FName, "PX_Exit");
    EXPECT_EQ(component.objectName(), "PX_Exit");
    EXPECT_EQ(settings.FTitle, "Close");
    EXPECT_EQ(partner->FTitle, "PX_B");
    EXPECT_EQ(visits, (QList<QObject*>{&component, &settings, partner, &first, &second, &other}));
    EXPECT_EQ(buddy.FText, "PX_Exit");   // a reference to an object that is no settings object
    EXPECT_EQ(first.FText, "Close");
    EXPECT_EQ(second.FText, "Zoom into window");
    EXPECT_EQ(other.FText, "Close");
}

TEST(TranslateWalk, HookMaySkipAnObjectOrDeleteOneStillToCome)
{
    TParlox2000 engine;
    LoadWalkFile(engine);
    TTestComponent root("skip");
    auto* inner = new TTestComponent("Exit", &root);
    auto* deleter = new TTestComponent("Exit", &root);
    auto* doomed = new TTestComponent("Exit", &root);
    auto* last = new TTestComponent("Exit", &root);
    engine.OnTranslateObject = [&](TParlox2000&, QObject& object, bool& proceed) {
        if (object.objectName() == "skip")
            proceed = false;
        if (&object == deleter)
            delete doomed;
    };
    engine.TranslateComponent(root);
    EXPECT_EQ(root.FCaption, "PX_skip");
    EXPECT_EQ(inner->FCaption, "Close");
    EXPECT_EQ(last->FCaption, "Close");
    EXPECT_EQ(root.children().size(), 3);
}

#include "TranslateWalk_test.moc"
