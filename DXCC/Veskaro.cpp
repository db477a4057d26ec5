#include "DXCC/Veskaro.h"

#include <QCoreApplication>

#include "DXCC/FeuilleChoixFichier.h"
#include "DXCC/Form2.h"

Veskaro::Veskaro(platform::Dialogs& d, platform::Clock& c, QString folder)
    : dialogs(d), clock(c), dossier(std::move(folder)), finProgramme([] { QCoreApplication::exit(0); })
{
}

Veskaro::~Veskaro() = default;

FeuilleChoixFichier& Veskaro::feuilleChoixFichier()
{
    if (!feuilleChoixFichier_)
        feuilleChoixFichier_ = std::make_unique<FeuilleChoixFichier>(*this);
    return *feuilleChoixFichier_;
}

Form2& Veskaro::form2()
{
    if (!form2_) {
        form2_ = std::make_unique<Form2>(*this);
        form2_->Form_Load();
    }
    return *form2_;
}

void Veskaro::Main()
{
    feuilleChoixFichier().Form_Load();
}

void Veskaro::FinProgramme()
{
    ProgrammeTermine = true;
    if (form2_)
        form2_->hide();
    if (feuilleChoixFichier_)
        feuilleChoixFichier_->hide();
    if (finProgramme)
        finProgramme();
}
