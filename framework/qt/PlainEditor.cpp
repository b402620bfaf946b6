#include "qt/PlainEditor.h"

#include "framework/Values.h"
#include "qt/TextRewrite.h"

namespace fw {

int64_t PlainEditor::Length() const
{
    return Len(m_text);
}

bool PlainEditor::HasLineBreak() const
{
    return m_text.find_first_of("\r\n") != std::string::npos;
}

std::unique_ptr<TextRewrite> PlainEditor::StartRewrite(const Rewrite&)
{
    return nullptr;
}

}
