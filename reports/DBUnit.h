#pragma once

#include "core/WindowContext.h"
#include <QDialog>

class CatalogueGrid;
class CatalogueTableModel;

// A plain grid editor over one table of the item and skill catalogue (the
// table the context's catalogueTable names). Rows are written when posted: on
// leaving the row or with the navigator's post button.
class TDBForm : public QDialog {
    Q_OBJECT
public:
    TDBForm(const WindowContext& context, QWidget* parent = nullptr);

    enum class Nav { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };

    void FormCreate();
    void NavigatorClick(Nav button);
    void BitBtn1Click();
    void ExportClick();
    void ImportClick();

    [[nodiscard]] CatalogueTableModel* Model() const { return m_model; }

    // Closing with a row in edit asks whether to post it or drop it first.
    void done(int result) override;

private:
    void applyWidths();
    void moveTo(int row);
    void currentRowChanged(int current, int previous);
    // Posts the row in edit (an open cell editor first); false after the
    // error box when the table refused it.
    bool postPending();

    CatalogueGrid* m_grid;
    CatalogueTableModel* m_model;
    bool m_returning = false; // moving back to a row that failed to post
    WindowContext m_context;
};
