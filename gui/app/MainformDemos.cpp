// The main window's demos: the still picture's and the animation's, during
// which this window is hidden and the document paints elsewhere.
#include <QDialog>

#include "app/Animademoformunit.h"
#include "app/Mainunit.h"
#include "makers/Makeanimationunit.h"
#include "platform/PaintBoxWidget.h"

namespace tesslor::gui {

void TMainForm::DemonstrationClick(QDialog& demo) {
    EndStroke();
    hide();
    demo.exec();
    show();
    MagnificationComboBoxChange();
    PaintBox1->setFocus();
}

void TMainForm::AnimeDemonstrationClick(TMakeAnimationForm& maker, TAnimaDemoForm& demo) {
    RunAnimationDemo(demo, maker.List(), [&](const std::function<void()>& ready) {
        return commands_->AnimationDemoFrames(*AnaOpenDialog, maker.List(), *demo.PaintBox1, ready);
    });
}

void TMainForm::PlayAnimationList(TMakeAnimationForm& maker, TAnimaDemoForm& demo) {
    RunAnimationDemo(demo, maker.List(), [&](const std::function<void()>& ready) {
        return commands_->ListDemoFrames(maker.List(), *demo.PaintBox1, ready);
    });
}

void TMainForm::RunAnimationDemo(TAnimaDemoForm& demo, const AnimationList& list, const DemoFrames& frames) {
    EndStroke();
    // This window is hidden while the document lays itself out on the demo's
    // paint target, and comes back laid out on the editing area whatever happens.
    bool hidden = false;
    struct HandBack {
        TMainForm& main;
        bool& hidden;
        ~HandBack() {
            if (!hidden) return;
            main.show();
            main.MagnificationComboBoxChange();
            // The keys go to the picture again (Ctrl+Z undoes the demo's load).
            main.PaintBox1->setFocus();
        }
    } handBack{*this, hidden};
    auto captured = frames([&] {
        hidden = true;
        hide();
        demo.ClearFrames();
    });
    ShowDocument();
    if (!captured) return;
    demo.SetFrames(std::move(*captured));
    // The GIF is named after the list: the one read, else the one last saved.
    demo.SetListFile(list.CurrentFile.empty() ? list.SavedList : list.CurrentFile);
    demo.exec();
}

}  // namespace tesslor::gui
