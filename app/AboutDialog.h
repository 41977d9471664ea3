#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "app/CodePage.h"
#include "ui/Prompts.h"

namespace Ui {
class AboutDialog;
}

namespace navoro {

// The maker's name and web address, as the About dialog shows them.
inline constexpr const char* kMakerName = "LUMOWORKS";
inline constexpr const char* kMakerWebAddress = "https://www.lumoworks.example/";

// The About dialog: product name, version, the maker, and the read-me text of
// the current language. Modeless; closing it only hides it.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    AboutDialog(Prompts& prompts, QWidget* parent = nullptr);
    ~AboutDialog() override;

    // Fills Memo1 with the read-me file, one memo line per piece of at most
    // 499 bytes. A file that cannot be opened leaves Memo1 as it was (false).
    bool LoadReadMe(const std::string& path, CodePage page);

    void CloseAbout();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    std::unique_ptr<Ui::AboutDialog> ui_;
    Prompts& prompts_;
};

}  // namespace navoro
