#pragma once
// The database's tables, indexes and first rows.

#include <QString>
#include <QStringList>

class Connection;

namespace Schema {
// What a database file is to the program, read without writing a byte of it (nor a header
// into an empty file).
struct FileCheck {
    enum State {
        New,          // no file, or a database holding no table at all: it gets the schema
        Ours,         // every table and column the program reads is there
        Unreadable,   // an empty file, or one that is no database
        Incomplete,   // a table or a column the program reads is missing (named below)
    } state = New;
    QStringList missingTables{};    // "sp"
    QStringList missingColumns{};   // "cgglz.qk"
};
FileCheck checkFile(const QString& path);

// Creates every table and index that is missing and drops the indexes newer ones replace
// (safe on an existing database).
void create(Connection& c);
// Writes the company row and the built-in operator "系统管理员" (empty password, every
// permission) when they are missing.
void seed(Connection& c);
// The permission names of the operators' permission table.
QStringList permissionNames();
// The built-in operator's name: every database has it, with every permission.
inline QString builtInOperator() { return QStringLiteral("系统管理员"); }
// Permission names that gate the main window's hidden labels.
inline QString permShowPrices() { return QStringLiteral("显示价格"); }
inline QString permResetStock() { return QStringLiteral("库存归零"); }
}
