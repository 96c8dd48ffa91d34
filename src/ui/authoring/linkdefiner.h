// Defining the link of a HyperText phrase. The viewers ask through this interface; the link
// dialog installs itself when it is built, and until then a click on a phrase does nothing.
#pragma once

#include "core/services/service.h"

#include <QString>

class LinkDefiner
{
public:
    virtual ~LinkDefiner() = default;
    virtual void define(const QString& phrase) = 0;
};

class NoLinkDefiner : public LinkDefiner
{
public:
    void define(const QString&) override {}
};

using LinkDefinerSlot = ServiceSlot<LinkDefiner, NoLinkDefiner>;
