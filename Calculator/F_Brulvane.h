#pragma once
// The EME calculator window: the home station's half on the left, the DX
// station's on the right, the common values (Moon range, path loss, sky
// temperature, frequency) and the buttons in the middle column.

#include "Calculator/BilanEME.h"

#include <QWidget>
#include <array>
#include <vector>

class Brulvane;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class F_Brulvane : public QWidget {
    Q_OBJECT
public:
    explicit F_Brulvane(Brulvane& etat);

    // Positions itself centred with a third of the free height above.
    void Form_Load();

    QLineEdit* boite(brulvane::Boite b) const { return boites_[static_cast<int>(b)]; }
    QLabel* resultat(brulvane::Resultat r) const { return resultats_[static_cast<int>(r)]; }

    // Frames 0..5: home half, home parameters (caption = call sign), home
    // results, DX half, DX results, DX parameters.
    std::array<QGroupBox*, 6> Cadre_EME{};
    // Caption and unit labels; elements 17, 15, 34, 36 are the unit labels of
    // the home system noise, home total noise, DX system noise and DX total
    // noise rows.
    std::vector<QLabel*> Etiq_EME;

    QLineEdit *HP_TxPower, *HP_TxLoss, *Hp_RxLoss, *HP_RxNF, *HP_RxBW, *HP_AntGain;
    QLineEdit *DP_TxPower, *DP_TxLoss, *DP_RxLoss, *DP_RxNF, *DP_RxBW, *DP_AntGain;
    QLineEdit *HP_Frequence, *SkyTemp;
    QComboBox* Range;
    QPushButton *Bouton_Compute, *Bouton_Mode, *Bouton_Fin;
    QPushButton *Bouton_New, *Bouton_Defaut, *Bouton_Save, *Bouton_DXDefaut, *BoutonAide;
    QGroupBox* Cadre_Aide;
    QLabel* Aide;
    QPushButton* BoutonOK;
    QLabel* Image1;

    // Puts a text read from a file into a box; the box's filter runs on it
    // even when the box already holds that text (the frequency box then
    // still resets the sky temperature default).
    void EcritBoite(brulvane::Boite b, const QString& texte);

    // Writes the four noise unit labels (Etiq_EME 17, 15, 34, 36).
    void EtiquettesUnite(const QString& texte);

    // Handlers.
    void Bouton_Compute_Click();
    void Bouton_Defaut_Click();
    void Bouton_DXDefaut_Click();
    void Bouton_New_Click();
    void Bouton_Save_Click();
    void Bouton_Mode_Click();
    void Range_Click();
    void BoutonAide_Click();
    void BoutonOK_Click();
    void Bouton_Fin_Click();
    void HP_TxPower_Change();
    void HP_TxLoss_Change();
    void Hp_RxLoss_Change();
    void HP_RxNF_Change();
    void HP_RxBW_Change();
    void HP_AntGain_Change();
    void DP_TxPower_Change();
    void DP_TxLoss_Change();
    void DP_RxLoss_Change();
    void DP_RxNF_Change();
    void DP_RxBW_Change();
    void DP_AntGain_Change();
    void HP_Frequence_Change();
    void SkyTemp_Change();

protected:
    // Form_QueryUnload: the close box never closes; it asks the quit question.
    void closeEvent(QCloseEvent* e) override;

private:
    // The input filter shared by the 14 boxes.
    void filtre(brulvane::Boite b);

    Brulvane& etat_;
    std::array<QLineEdit*, brulvane::NombreBoites> boites_{};
    std::array<QLabel*, brulvane::NombreResultats> resultats_{};
};
