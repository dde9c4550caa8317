#pragma once
// The ledger view (right pane): the ledger table of days against matters in the ledger grid,
// with the cursor walking the window of days, range totals in the status text, user-resized
// columns kept in the matters, dropped ledger files handed to the frame, and the booking pane
// kept in step with the cursor.

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "doc/TimeValue.h"
#include "views/PeriodTable.h"

namespace tallymo {

class CLedgerGrid;
class CTallymoDoc;

class CTallymoView : public QWidget {
    Q_OBJECT
public:
    // Subscribes to the document's RefreshLedgerView, which rewrites the grid's contents.
    explicit CTallymoView(CTallymoDoc& doc, QWidget* parent = nullptr);
    ~CTallymoView() override;

    void SetUpGrid();    // rebuild shape and contents (view mode, file opened, settings, size)
    void RefreshGrid();  // contents only, shape kept

    void MoveToRow(int row);       // cursor to a row; past either end the window of days moves
    void SyncPane();               // booking pane and status text in step with the cursor
    void ShowMatterColumn(int n);  // cursor to list position n's column on the last day row
    void ShowOutgoTotal(TimeValue first, TimeValue last = 0);

    CLedgerGrid& Grid() { return *m_grid; }
    const LedgerTableShape& Shape() const { return m_shape; }
    TimeValue RowDate(int row) const;
    const QString& StatusText() const { return m_statusText; }

signals:
    void statusTextChanged(const QString& text);  // for status-bar pane 0
    void fileDropped(const QString& path);        // a ledger file dropped: the frame opens it
    // The cursor stands on a day and a matter column: the booking pane shows that day and the
    // list position (column − 1).
    void cursorCellChanged(TimeValue date, int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool FilterKey(QObject* watched, QKeyEvent* event);
    void OnClick();
    void MarkCursorRow();
    void StoreUserColumnWidth(int col);
    void FitColumnsToFigures(const std::vector<int>& widestPixels);
    void WriteCells();

    struct ShownTexts;

    CTallymoDoc& m_doc;
    CLedgerGrid* m_grid;
    LedgerTableShape m_shape;
    TimeValue m_shownDate = 0;  // the current date the cells were last written for
    QString m_statusText;
    int m_listenerId = 0;
    int m_boldRow = -1;
    int m_wheelDelta = 0;
    std::unique_ptr<ShownTexts> m_shownTexts;
};

}  // namespace tallymo
