#pragma once

#include "catalogue.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

// The record store: databases, keyed and ordered views of a table, query
// views. Windows reach the database files only through these classes.
//
// Values are exchanged as the texts the screen shows: numbers with the
// decimal comma ("173,03"), dates as dd/mm/yyyy. Empty or null reads as an
// empty text. Every read goes to the file: a record stored by another view,
// connection or process is seen by the next seek, move or read.
//
// Failures (missing file, wrong password, missing table, a value that is not
// a number or date, a duplicate key, a file locked for too long) throw
// StoreError, whose message names the file. NoMatch, BOF and EOF are states,
// not failures.
namespace store {

class StoreError : public std::runtime_error {
public:
    enum class Kind { MissingFile, Password, Schema, BadValue, DuplicateKey, NoRecord, Busy, Engine };

    StoreError(Kind kind, const QString &message, const QString &file = {});
    Kind kind() const { return m_kind; }
    QString message() const { return m_message; }
    QString file() const { return m_file; }

private:
    Kind m_kind;
    QString m_message;
    QString m_file;
};

class Database {
public:
    // Opens an existing database file, shared and read-write. `password` is
    // either the password itself or a connect string ";PWD=password".
    // Throws StoreError (MissingFile, Password) naming the file.
    static std::unique_ptr<Database> open(const QString &path, const QString &password = {});

    // Creates a new file holding the tables of `def`, encrypted when `def`
    // has a password. Throws when the file already exists.
    static void create(const QString &path, const FileDef &def);

    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QString path() const;
    QString fileName() const;
    // The catalogue entry of this file (by its name), or nullptr for a file
    // that is not one of the shop's.
    const FileDef *definition() const;
    bool hasTable(const QString &table) const;
    bool inTransaction() const;

    struct Impl;
    Impl &impl() const { return *d; }

private:
    explicit Database(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

// A unit of work: every write inside it lands together or not at all, and
// what is read inside it cannot be changed by another workstation until it
// ends (writers on other workstations wait). Commit explicitly; the
// destructor rolls back an uncommitted transaction.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Database &m_db;
    bool m_open = false;
};

// A view of one table: the keyed view (set an index, seek) and the ordered
// view (moves in ascending key order) of the windows are the same class.
// Moves follow the current index; a new view stands on the first record of
// the table's primary index (or of the order written, for tables without
// one), as an ordered view does when a window opens it.
class TableView {
public:
    // Throws StoreError (Schema) when the table or one of its fields is
    // missing from the file.
    TableView(Database &db, const QString &table);
    ~TableView();
    TableView(const TableView &) = delete;
    TableView &operator=(const TableView &) = delete;

    const TableDef &definition() const;

    // Index by name ("art", "COD_CLIENT" ...). Throws on an unknown name.
    void setIndex(const QString &indexName);
    QString index() const;

    // Seek "=": positions on the first record (in the order written) whose
    // key on the current index equals `key`; text keys ignore letter case.
    // Returns true when found; otherwise noMatch() is true and there is no
    // current record.
    bool seek(const QString &key);
    bool noMatch() const;

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool bof() const;
    bool eof() const;
    // True when the view stands on a record (not BOF, EOF, NoMatch, deleted).
    bool hasRecord() const;

    // The field of the current record as screen text. Throws NoRecord when
    // there is none, Schema for an unknown field.
    QString value(const QString &field) const;
    // The field read as a number; empty counts as 0.
    double number(const QString &field) const;

    // Editing: AddNew or Edit, then setValue for each field, then update().
    // Only the fields set are written. A value that is not a number or a date
    // for such a field throws BadValue at once and marks the edit as failed:
    // update() then writes nothing and throws again.
    void addNew();
    void edit();
    void setValue(const QString &field, const QString &text);
    // Writes the edit. After an AddNew the view stands on the new record.
    void update();
    void cancelUpdate();
    bool editing() const;
    // Deletes the current record; the view then has no current record, and
    // moveNext / movePrevious go on from where it stood.
    void deleteCurrent();

    long long recordCount() const;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// A read-only view of the rows of a fixed select text written by the
// program (never by the user). Rows are read when the view opens and by
// requery().
class QueryView {
public:
    QueryView(Database &db, const QString &selectText);
    // The same with values bound to the select's parameters ?1, ?2 ...
    // (texts typed by a user go here, never into the select text).
    QueryView(Database &db, const QString &selectText, const QStringList &parameters);
    ~QueryView();
    QueryView(const QueryView &) = delete;
    QueryView &operator=(const QueryView &) = delete;

    void requery();
    int rowCount() const;
    QStringList columns() const;
    int columnIndex(const QString &name) const;   // case-insensitive, -1 if missing

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool bof() const;
    bool eof() const;
    int position() const;           // 0-based row, -1 at BOF, rowCount() at EOF
    void setPosition(int row);

    QString value(const QString &column) const;
    QString value(int row, int column) const;

    // Find forward from the row after the current one: the next row whose
    // column begins with `prefix`, ignoring letter case (as LIKE 'text%').
    // Returns false and stands at EOF when there is none. The prefix is
    // compared as plain text: quotes and wildcards match themselves.
    bool findNextPrefix(const QString &column, const QString &prefix);
    // The same from the first row.
    bool findFirstPrefix(const QString &column, const QString &prefix);

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// A read-only list of the rows of one table in the order of one field, read a
// page at a time: for lists of many thousands of rows that must show at
// once (the article pickers). Text order ignores letter case, as the
// record store's text keys do; equal values keep the order written. Pages
// read are kept until refresh().
class OrderedList {
public:
    // `columns` are field names of the table; `orderField` one of them.
    // Throws StoreError (Schema) when the table or a field is missing.
    OrderedList(Database &db, const QString &table, const QStringList &columns, const QString &orderField);
    ~OrderedList();
    OrderedList(const OrderedList &) = delete;
    OrderedList &operator=(const OrderedList &) = delete;

    int rowCount() const;
    int columnCount() const;
    // The value (screen text) at a row and column; empty outside the list.
    QString value(int row, int column) const;
    // The first row whose order field begins with `prefix`, ignoring letter
    // case (LIKE 'prefix%'), or -1 when there is none. Quotes and wildcards
    // in the prefix are plain characters.
    int findFirstPrefix(const QString &prefix) const;
    // Forgets the pages and the count read so far.
    void refresh();

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

} // namespace store
