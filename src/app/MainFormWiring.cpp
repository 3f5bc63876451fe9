#include "app/MainFormWiring.h"

#include "app/MainFormTarget.h"
#include "backup/UBackupWizardForm.h"
#include "cleanup/UDeleteEmptyShortcutsForm.h"
#include "extras/OpenLinks.h"
#include "extras/Recommendation.h"
#include "extras/USendMailMAPI.h"

namespace app {

using startmenu::TMainForm;

void ConnectWizards(TMainForm& form, const startmenu::FolderSource& folders) {
    form.Wizards.importExport = OpenImportExportWizard;
    form.Wizards.backupRestore = [](TMainForm& owner) {
        backup::RunBackupWizard(owner.Handle(), owner.Model().Folders);
    };
    form.Wizards.deleteEmptyShortcuts = [&folders](TMainForm& owner) {
        cleanup::RunDeleteEmptyShortcutsWizard(owner.Handle(), folders);
    };
}

void ConnectMenuExtras(TMainForm& form, extras::TAboutBox& aboutBox) {
    form.Extras.about = [&aboutBox](TMainForm&) { aboutBox.ShowModal(); };
    form.Extras.homePage = [](TMainForm&) { extras::OpenHomePage(); };
    form.Extras.tellAFriend = [](TMainForm&) {
        extras::SendMail(extras::RecommendationSubject(), extras::RecommendationBody(), {}, {}, {},
                         {}, {});
    };
    form.Extras.help = [](TMainForm& owner) {
        extras::OpenHelpFile(owner.Handle(), owner.Model().Folders.AppDir);
    };
    form.Extras.supportMail = [](TMainForm& owner) { extras::OpenSupportMail(owner.Handle()); };
}

} // namespace app
