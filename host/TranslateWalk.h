#pragma once
// The translation walk over Qt's meta-object system: it replaces every marked text ("PX_Exit")
// of an object's properties, and of the objects it owns, by the engine's translation.
//
// What a class exposes so the walk finds its texts:
// - a text: Q_PROPERTY(QString Caption READ Caption WRITE SetCaption); read and write access.
//   The object's name (objectName, or a property called "Name") is never changed.
// - lines of text: Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines); only marked lines
//   change, from the last to the first. The items of QComboBox, QListWidget and the tabs of
//   QTabBar (and so QTabWidget) are treated as such lines too.
// - a settings object: Q_PROPERTY(TScaleProps* ScaleProps READ ScaleProps), where the class of
//   the settings object carries Q_CLASSINFO("TranslateWalk", "Settings"). Object references to
//   anything else (a buddy control, a component owned elsewhere) are not followed.
// - a collection: Q_PROPERTY(QList<TItem*> Items READ Items) (or QObjectList); the properties of
//   each item are translated in index order.
// Each object's properties are translated at most once in one walk, so an object reached both as
// a child and through a property, or settings objects that refer to each other, cannot be
// translated twice or send the walk round in circles.

#include <QSet>
#include <QString>
#include <QStringList>

class QMetaProperty;
class QObject;

namespace tessaly {

class TParlox2000;

inline constexpr char TranslateWalkClassInfo[] = "TranslateWalk";
inline constexpr char TranslateWalkSettings[] = "Settings";

class TTranslateWalk {
public:
    explicit TTranslateWalk(TParlox2000& engine) : FEngine(engine) {}

    // The object's properties, then its children in order, depth-first.
    void Component(QObject& component);
    // The properties of one object and of the settings objects and collection items it refers to.
    void Properties(QObject& object);

    // Whether the walk translates the properties of an object referred to by a property.
    static bool IsSettingsObject(const QObject& object);

private:
    void StringProperty(QObject& object, const QMetaProperty& property);
    void StringListProperty(QObject& object, const QMetaProperty& property);
    void ObjectProperty(QObject& object, const QMetaProperty& property);
    void CollectionProperty(QObject& object, const QMetaProperty& property);
    void ItemTexts(QObject& object);
    // Replaces a marked text by the translation of what follows the marker; true when it did.
    bool TranslateMarked(QString& text);
    bool TranslateMarkedLines(QStringList& lines);

    TParlox2000& FEngine;
    QSet<const QObject*> FTranslated;   // objects whose properties this walk has handled
};

} // namespace tessaly
