#include "browse/images/ui/repositoryform.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/program/errorreport.h"
#include "core/model/mainstate.h"
#include "core/program/settings.h"
#include "browse/images/coinpictures.h"
#include "platform/uiservices.h"

const char *const RepositoryDocs =
    "The Image Repository\n\n"
    "The image repository is one folder that you set aside for the pictures of your coins and notes. You may "
    "keep pictures anywhere you like, but pictures kept inside this folder (or in folders below it) are "
    "easier to keep together with your collection.\n\n"
    "Your collection does not hold the pictures themselves: for each picture it remembers where the file is. "
    "For a picture outside the repository that is the whole path of the file. For a picture inside the "
    "repository only a repository marker and the rest of the path below the repository folder are kept; "
    "whenever the picture is needed, the marker is replaced by the repository folder chosen here. So you can "
    "copy or move the whole folder to another disk or another computer, choose it here again, and every "
    "picture is found where it now lies.\n\n"
    "On the Images page a picture kept in the repository is marked in red with the word \"Repository\" in "
    "front of its name. When you press OK, the obverse, reverse and receipt pictures of your entries that "
    "lie inside the chosen folder are changed over to the repository form. Pictures outside it keep their "
    "whole paths. A folder whose name merely begins like the repository's (Coins2 beside Coins) is not "
    "inside it.\n\n"
    "Because only the part below the repository folder is kept, the links stay good between computers whose "
    "paths are written differently, as long as the folders below the repository keep their names. If "
    "pictures have been moved around inside the repository, press Ctrl+Alt+S in this window: when you then "
    "press OK, every picture file in the repository is attached to the entries whose pictures carry the "
    "same file name, wherever they were before. Cancel leaves every picture where it was.";

TRepositoryForm::TRepositoryForm(tMainState &state, std::function<void()> changed, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      state_(state), changed_(std::move(changed))
{
    setObjectName(QStringLiteral("TRepositoryForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Orvanta: Image Repository"));
    resize(520, 460);
    auto *v = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(QString::fromUtf8(RepositoryDocs));
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    v->addWidget(Memo1, 1);
    v->addWidget(new QLabel(QStringLiteral("Current repository directory:")));
    auto *row = new QHBoxLayout;
    HoldPath = state_.RepositoryPath;
    Edit1 = new QLineEdit(HoldPath);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    row->addWidget(Edit1, 1);
    Button1 = new QPushButton(QStringLiteral("Change Directory"));
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, &TRepositoryForm::Button1Click);
    row->addWidget(Button1);
    v->addLayout(row);
    AttachLabel = new QLabel(QStringLiteral("The pictures will be attached by file name when you press OK."));
    AttachLabel->setObjectName(QStringLiteral("AttachLabel"));
    AttachLabel->hide();
    v->addWidget(AttachLabel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    OKButton = new QPushButton(QStringLiteral("OK"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] {
        try {
            OKButtonClick();
        } catch (const std::exception &e) {
            AppException(e);
        }
    });
    Button2 = new QPushButton(QStringLiteral("Cancel"));
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button2, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(OKButton);
    buttons->addWidget(Button2);
    v->addLayout(buttons);
}

void TRepositoryForm::Button1Click()
{
    platform::FileRequest request;
    request.Title = QStringLiteral("Please select a directory...");
    request.Folder = HoldPath;
    const QString folder = platform::ui().pickFolder(request);
    if (folder.isEmpty())
        return;
    HoldPath = folder;
    Edit1->setText(HoldPath);
}

void TRepositoryForm::OKButtonClick()
{
    CurrProcGuard guard(Blocks::RepositoryOK);
    if (HoldPath != state_.RepositoryPath)
        WriteRegString(RegName::Repository, HoldPath);
    state_.RepositoryPath = HoldPath;
    // The re-attach and the folder are confirmed together: a re-attached
    // path is relative to the folder that OK stores.
    int changed = AttachPending ? AttachRepositoryImages(state_, HoldPath) : 0;
    AttachPending = false;
    changed += MakeRepositoryRelative(state_, HoldPath);
    if (changed > 0)
        state_.DataModified = true;
    if (changed_)
        changed_();
    close();
}

void TRepositoryForm::AttachImages()
{
    CurrProcGuard guard(Blocks::AttachRepositoryImages);
    if (state_.CoinList.empty())
        return;
    if (ShowEpicMessage(QStringLiteral("This process will try to attach image files in the image repository to "
                                       "their coin entries.\rIt does this by matching just the file names and "
                                       "ignoring the file path.\rDo you wish to continue?"),
                        QStringLiteral("Yes"), QStringLiteral("No"), {}, {}, {}, {}, 2, 3) != 1)
        return;
    AttachPending = true;
    AttachLabel->show();
}

void TRepositoryForm::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers both = Qt::ControlModifier | Qt::AltModifier;
    if (event->key() == Qt::Key_S && (event->modifiers() & both) == both) {
        try {
            AttachImages();
        } catch (const std::exception &e) {
            AppException(e);
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
