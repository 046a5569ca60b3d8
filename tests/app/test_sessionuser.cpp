// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/SessionUser.h"

#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// Root started for a user (pkexec, sudo): the user's folders, files created
// as the user, root's access only where the boxes are opened.
class TestSessionUser : public QObject {
    Q_OBJECT

private slots:
    void invokingUserFromTheEnvironment()
    {
        QCOMPARE(SessionUser::invokingUid("1000", ""), 1000L);
        QCOMPARE(SessionUser::invokingUid("", "1001"), 1001L);
        QCOMPARE(SessionUser::invokingUid(" 1002\n", "1001"), 1002L); // pkexec first
        QCOMPARE(SessionUser::invokingUid("0", "1001"), 1001L);       // root for root is no user
        QCOMPARE(SessionUser::invokingUid("0", ""), -1L);
        QCOMPARE(SessionUser::invokingUid("", ""), -1L);
        QCOMPARE(SessionUser::invokingUid("abc", "-5"), -1L);
        QCOMPARE(SessionUser::invokingUid("99999999999", ""), -1L);
    }

    void rootActsForTheUser()
    {
        if (geteuid() != 0)
            QSKIP("needs root");
        const struct passwd *pw = getpwnam("nobody");
        if (!pw)
            QSKIP("no user nobody here");
        const uid_t user = pw->pw_uid;
        const QByteArray home(pw->pw_dir);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        const QString device = dir.filePath(QStringLiteral("device"));
        {
            QFile node(device);
            QVERIFY(node.open(QIODevice::WriteOnly));
            node.write("box");
        }
        QVERIFY(QFile::setPermissions(device, QFileDevice::ReadOwner | QFileDevice::WriteOwner));

        qputenv("PKEXEC_UID", QByteArray::number(static_cast<qulonglong>(user)));
        qputenv("XDG_CONFIG_HOME", "/root"); // root's, not the user's: replaced
        const SessionUser::Adoption adopted = SessionUser::adoptInvokingUser();
        QVERIFY2(adopted.ok, qPrintable(adopted.error));
        QVERIFY(adopted.note.contains(QString::fromLocal8Bit(pw->pw_name)));
        QCOMPARE(qgetenv("HOME"), home);
        QCOMPARE(qgetenv("XDG_CONFIG_HOME"), home + "/.config");

        // New files are the user's.
        const QString created = dir.filePath(QStringLiteral("settings.ini"));
        {
            QFile file(created);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        struct stat st;
        QVERIFY(stat(QFile::encodeName(created).constData(), &st) == 0);
        QCOMPARE(st.st_uid, user);

        // Root's access for the boxes only.
        QVERIFY(!QFile(device).open(QIODevice::ReadOnly));
        bool opened = false;
        SessionUser::withDeviceAccess([&] { opened = QFile(device).open(QIODevice::ReadOnly); });
        QVERIFY(opened);
        QVERIFY(!QFile(device).open(QIODevice::ReadOnly));

        // The temporary folder sits in root's /tmp: cleaned up with root's access.
        SessionUser::withDeviceAccess([&] { dir.remove(); });
    }
};

QTEST_GUILESS_MAIN(TestSessionUser)
#include "test_sessionuser.moc"
