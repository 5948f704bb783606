#pragma once
// The report engine: loads a template, walks its data sets and lays the
// bands out on pages. Data sets are user data sets driven by callbacks, so
// the engine knows nothing of what the rows are.
#include <functional>
#include <memory>
#include <vector>

#include <QImage>
#include <QString>
#include <QStringList>

#include "reports/engine/preparedreport.h"
#include "reports/engine/reporttemplate.h"
#include "reports/engine/reportvalue.h"

// A data set the program supplies. UserName is the name templates use,
// matched ignoring case. Value gets the field name exactly as the template
// wrote it, suffixes included ("Value ($£€¥)/EUR"). Unset callbacks count as
// an empty data set.
struct tReportDataSet {
    QString UserName;
    // The field names the data set declares, in the order a field list
    // shows them to a template author.
    QStringList Fields;
    std::function<void()> First;
    std::function<void()> Next;
    std::function<void()> Prior;
    std::function<bool()> Eof;
    std::function<tReportValue(const QString &field)> Value;
};

// Handed to the before-print hook for every picture object just before it
// is placed. The hook may replace Picture; DataSet is the data set the
// object is bound to (nullptr when unbound or unknown).
struct tPictureEvent {
    const tReportObject &Object;
    const tReportDataSet *DataSet;
    QImage Picture;
};

class tReportEngine {
public:
    tReportEngine() = default;
    tReportEngine(const tReportEngine &) = delete;
    tReportEngine &operator=(const tReportEngine &) = delete;

    // Forgets the template and the prepared pages.
    void Clear();
    // Loads a template; throws tReportError (missing, not ours, malformed).
    void LoadFromFile(const QString &path);
    void SetTemplate(tReportTemplate tmpl);
    bool HasTemplate() const { return template_ != nullptr; }
    const tReportTemplate *Template() const { return template_.get(); }

    // The data sets the loaded template uses, as it spells them.
    QStringList DataSetNames() const;
    bool UsesDataSet(const QString &name) const;

    // Data sets are not owned and must outlive every preparation.
    void AddDataSet(tReportDataSet *dataSet);
    tReportDataSet *FindDataSet(const QString &name) const;

    // Called with the page number each time a page is begun.
    std::function<void(int page)> OnProgress;
    // Called for every picture object before it is placed.
    std::function<void(tPictureEvent &)> OnBeforePrint;

    // Lays the report out, replacing the last prepared one. False when it
    // made no page: a master data band with no rows prints nothing, and a
    // stopped preparation keeps nothing. Throws std::logic_error without a
    // template or when called while a preparation runs.
    bool Prepare();
    // Asks a running preparation to end at the next row or page.
    void Stop() { stopRequested_ = true; }
    bool Preparing() const { return preparing_; }
    bool Stopped() const { return stopped_; }

    std::shared_ptr<const tPreparedReport> Prepared() const { return prepared_; }
    int PageCount() const { return prepared_ ? prepared_->PageCount() : 0; }

private:
    class tLayout;
    std::shared_ptr<const tReportTemplate> template_;
    std::shared_ptr<const tPreparedReport> prepared_;
    std::vector<tReportDataSet *> dataSets_;
    bool preparing_ = false;
    bool stopRequested_ = false;
    bool stopped_ = false;
};
