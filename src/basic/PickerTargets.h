#pragma once
// How a picker writes into its caller without knowing the caller's class: the caller
// registers its fields under its tag ("tjcg", "zu1", ...), the picker writes the chosen
// values by tag and field name. Writing into a registered edit sets its text, so the
// caller's change handlers run as they would for typed text.

#include <QString>
#include <functional>

class QLineEdit;
class QObject;

namespace PickerTargets {
using Setter = std::function<void(const QString&)>;
using Getter = std::function<QString()>;

// The registration lasts until the edit is destroyed or the tag is unregistered.
void registerField(const QString& tag, const QString& field, QLineEdit* edit);
// A field that is not an edit (a label, a hidden value); owner's destruction ends it.
void registerField(const QString& tag, const QString& field, QObject* owner, Setter set, Getter get = {});
void unregisterTag(const QString& tag);
// An action of the caller that a picker runs before it writes (the purchase form makes its own
// lines current in the shared line query before the goods picker appends to it).
void registerAction(const QString& tag, const QString& name, QObject* owner, std::function<void()> action);
// Does nothing when the tag or action is not registered.
void run(const QString& tag, const QString& name);

bool has(const QString& tag, const QString& field);
// Does nothing when the tag or field is not registered (the caller is closed).
void write(const QString& tag, const QString& field, const QString& value);
QString read(const QString& tag, const QString& field);
}
