#include "PickerTargets.h"

#include <QHash>
#include <QLineEdit>
#include <QPointer>

namespace {
struct Entry {
    QPointer<QObject> owner;
    PickerTargets::Setter set;
    PickerTargets::Getter get;
};
QHash<QString, Entry>& entries()
{
    static QHash<QString, Entry> e;
    return e;
}
QString key(const QString& tag, const QString& field) { return tag + QLatin1Char('\x1f') + field; }
const Entry* find(const QString& tag, const QString& field)
{
    auto it = entries().constFind(key(tag, field));
    if (it == entries().constEnd() || !it->owner)
        return nullptr;
    return &*it;
}
}

namespace PickerTargets {

void registerField(const QString& tag, const QString& field, QLineEdit* edit)
{
    QPointer<QLineEdit> p(edit);
    registerField(tag, field, edit,
                  [p](const QString& v) { if (p) p->setText(v); },
                  [p]() { return p ? p->text() : QString(); });
}

void registerField(const QString& tag, const QString& field, QObject* owner, Setter set, Getter get)
{
    entries().insert(key(tag, field), Entry{owner, std::move(set), std::move(get)});
}

void unregisterTag(const QString& tag)
{
    const QString prefix = tag + QLatin1Char('\x1f');
    for (auto it = entries().begin(); it != entries().end();) {
        if (it.key().startsWith(prefix)) it = entries().erase(it);
        else ++it;
    }
}

void registerAction(const QString& tag, const QString& name, QObject* owner, std::function<void()> action)
{
    registerField(tag, name, owner, [action = std::move(action)](const QString&) { action(); });
}

void run(const QString& tag, const QString& name) { write(tag, name, QString()); }

bool has(const QString& tag, const QString& field) { return find(tag, field) != nullptr; }

void write(const QString& tag, const QString& field, const QString& value)
{
    if (const Entry* e = find(tag, field); e && e->set)
        e->set(value);
}

QString read(const QString& tag, const QString& field)
{
    const Entry* e = find(tag, field);
    return (e && e->get) ? e->get() : QString();
}

}
