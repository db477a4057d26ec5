#pragma once
// The editor: the correction grid (37 rows x 3 columns, row 0 the titles,
// column 0 the azimuth), Save and Quit. Its caption is the module's
// TitreEditeur, set by the view.

#include <QPushButton>
#include <QWidget>

#include "CORRECT/FichierCorrection.h"
#include "platform/widgets/Grid.h"

class Correct;

class FeuillePrincipale : public QWidget {
    Q_OBJECT
public:
    explicit FeuillePrincipale(Correct& etat);

    platform::Grid* GrilleCorrection;
    QPushButton* BoutonSauve;
    QPushButton* BoutonQuitter;

    // Centring.
    void Form_Load();

    // The title row, column widths of 1600 twips and centred texts.
    void preparerGrille();
    // Rows 1..36 from `table`, and back.
    void afficherTable(const correction::TableCorrection& table);
    correction::TableCorrection table() const;
    // Current cell: row 1, column 1 (the azimuth correction of azimuth 0).
    void selectionnerPremiereCellule();

    void BoutonSauve_Click();
    void BoutonQuitter_Click();
    void GrilleCorrection_Click();
    void GrilleCorrection_RowColChange();
    void GrilleCorrection_KeyPress(int keyAscii);

protected:
    // Closing is always cancelled and routed to the quit question.
    void closeEvent(QCloseEvent* e) override;

private:
    Correct& etat_;
};
