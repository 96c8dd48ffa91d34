#include "winreader/backdrop.h"

#include "winreader/files.h"
#include "winreader/screencolour.h"
#include "winreader/wintext.h"

namespace winreader {

std::string Backdrop::load(const bookformat::Background& background, COLORREF ownColour)
{
    using bookformat::BackgroundLook;
    m_plan = bookformat::PlanBackground(background, IsBookFileOnDisk);
    m_colour = m_plan.look == BackgroundLook::Own || m_plan.look == BackgroundLook::Refused
                   ? ownColour
                   : ScreenColour(background.colour);
    m_picture = Picture();
    return readPicture();
}

std::string Backdrop::readPicture()
{
    using bookformat::BackgroundLook;
    if (m_plan.look != BackgroundLook::Picture && m_plan.look != BackgroundLook::Tiles)
        return m_plan.message;
    if (!m_plan.message.empty())
        return m_plan.message;
    if (m_plan.file.empty() ||
        GetFileAttributesW(Wide(m_plan.file).c_str()) == INVALID_FILE_ATTRIBUTES)
        return bookformat::MissingPictureMessage(m_plan);
    std::string error;
    m_picture = Picture::load(m_plan.file, error);
    return error;
}

void Backdrop::prepare(SIZE size) const
{
    if (m_plan.look == bookformat::BackgroundLook::Picture)
        m_picture.prepareStretched(size);
}

void Backdrop::paint(HDC dc, const RECT& area) const
{
    if (!m_picture.isNull() && m_plan.look == bookformat::BackgroundLook::Picture) {
        m_picture.drawStretched(dc, area);
        return;
    }
    if (!m_picture.isNull() && m_plan.look == bookformat::BackgroundLook::Tiles) {
        m_picture.drawTiled(dc, area);
        return;
    }
    HBRUSH brush = CreateSolidBrush(m_colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

} // namespace winreader
