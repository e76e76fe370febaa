#pragma once
// The in-memory tables behind the two feed lists: fixed text columns of the window's
// single-byte text, a current row, closed until their first load.
//
// Thread: main thread (the lists observe the model).

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace velora::guide {

struct ColumnSpec {
    QString name;
    int width;  // characters; longer values are cut
};

class FeedTable : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FeedTable(std::vector<ColumnSpec> columns, QObject* parent = nullptr);

    // Empties the table and opens it (a closed table has no rows and its list is blank).
    void reset();
    bool isOpen() const { return m_open; }

    // Appends a row and makes it current. `values` are in column order; each is stored
    // as the single-byte text holds it ("?" for what code page 1254 lacks) and cut to
    // its column's width. Missing values are empty.
    int appendRow(const QStringList& values);

    QString value(int row, int column) const;
    // The value of the current row; empty when there is none.
    QString currentValue(int column) const;

    // -1 when the table has no rows.
    int currentRow() const { return m_current; }
    // Clamped to the rows there are.
    void setCurrentRow(int row);

    const std::vector<ColumnSpec>& columns() const { return m_columns; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void currentRowChanged(int row);

private:
    std::vector<ColumnSpec> m_columns;
    QList<QStringList> m_rows;
    int m_current = -1;
    bool m_open = false;
};

// The single-byte form of a feed value: every character round-trips through code page
// 1254 (so one it lacks is stored as "?" or a plain look-alike), then the value is cut
// to `width` characters.
QString fitColumn(const QString& value, int width);

// dxMemData1: the programmes of one day.
class ScheduleTable final : public FeedTable {
    Q_OBJECT
public:
    enum Column { saat, program, ok, aciklama };
    explicit ScheduleTable(QObject* parent = nullptr);
};

// dxMemData2: the announcements.
class AnnouncementTable final : public FeedTable {
    Q_OBJECT
public:
    enum Column { baslik, detay, icerik, resimlink, ok };
    explicit AnnouncementTable(QObject* parent = nullptr);
};

}  // namespace velora::guide
