// Starting a program and waiting for it to end while the windows keep repainting.
#pragma once

#include "core/services/service.h"

#include <QString>
#include <QStringList>

class Programs
{
public:
    virtual ~Programs() = default;
    // False when the program cannot be started; otherwise returns once it has ended.
    virtual bool runAndWait(const QString& program, const QStringList& arguments,
                            const QString& workingDir) = 0;
};

class QtPrograms : public Programs
{
public:
    bool runAndWait(const QString& program, const QStringList& arguments,
                    const QString& workingDir) override;
};

using ProgramSlot = ServiceSlot<Programs, QtPrograms>;

inline Programs& programs()
{
    return ProgramSlot::get();
}
