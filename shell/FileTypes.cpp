#include "shell/FileTypes.h"

#include "framework/Exceptions.h"

fw::Global<fw::FileType> FileTypes::pText { "FileTypes.pText" };

void FileTypes::Initialize()
{
    pText.Set(std::make_shared<fw::FileType>());
    fw::Require(pText.Get(), pText.Name()).SetName("text");
    fw::Require(pText.Get(), pText.Name()).SetExtensions("");
    fw::Require(pText.Get(), pText.Name()).SetMacType("TEXT");
    fw::Require(pText.Get(), pText.Name()).SetMacCreator("R*ch");
    // The conversion to text registers the type; the name it gives is not needed.
    fw::Require(pText.Get(), pText.Name()).ToString();
}
