#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWindow;

// Says `done`, once, when every window given has been exposed (or hidden), or
// after kLaunchWaitMs, whichever comes first.
class ExposureWait : public QObject {
    Q_OBJECT

public:
    static constexpr int kLaunchWaitMs = 500;

    ExposureWait(const QList<QWindow *> &windows, QObject *parent = nullptr);

signals:
    void done();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void finish();

    QList<QPointer<QWindow>> m_pending;
    QTimer m_timeout;
    bool m_finished = false;
};
