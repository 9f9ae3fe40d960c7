// Draws every skin bitmap of the editor and writes them as PNG files, with the resource
// script that embeds them and a contact sheet of all of them:
//
//   skingen --out DIR --rc FILE [--sheet FILE] --small PCF --large PCF
//           --sans TTF --sans-bold TTF --condensed-bold TTF
//
// The output depends only on the sources and the font files: running it twice gives the
// same bytes.

#include "CSkinContactSheet.h"
#include "CSkinPagePainter.h"
#include "CSkinPainter.h"

#include "editor/layout/NvPageLayouts.h"
#include "resources/SkinGeometry.h"

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
int Run(int argc, char** argv)
{
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strncmp(argv[i], "--", 2) != 0)
            throw std::runtime_error(std::string("unexpected argument ") + argv[i]);
        args[argv[i] + 2] = argv[i + 1];
    }
    for (const char* required : {"out", "rc", "small", "large", "sans", "sans-bold", "condensed-bold"})
        if (args[required].empty())
            throw std::runtime_error(std::string("missing --") + required);

    const SkinFontFiles fonts{args["small"], args["large"], args["sans"], args["sans-bold"],
                              args["condensed-bold"]};
    const CSkinPainter painter(fonts);
    const CSkinPagePainter pages(painter);
    const std::string out = args["out"];

    std::vector<std::unique_ptr<CSkinImage>> images;
    CSkinContactSheet sheet;
    std::string rc = "// Written by tools/skingen: the skin bitmaps as \"PNG\" resources.\n";
    for (const NvSkinBitmap& b : kNvSkinBitmaps)
    {
        std::unique_ptr<CSkinImage> image;
        if (b.kind == NvSkinKind::Background)
        {
            const NvPageLayout* layout = FindPageLayout(b.name);
            if (!layout)
                throw std::runtime_error(std::string("no layout table for ") + b.name);
            image = pages.Paint(b, *layout);
        }
        else
            image = painter.Paint(b);
        if (image->Width() != b.width || image->Height() != b.Height())
            throw std::runtime_error(std::string("wrong size drawn for ") + b.name);
        const std::string path = out + "/" + b.name + ".png";
        if (!image->WritePng(path))
            throw std::runtime_error("cannot write " + path);
        rc += std::string(b.name) + " PNG \"" + path + "\"\n";
        sheet.Add(b, *image);
        images.push_back(std::move(image));
    }

    // The script is rewritten only when it changes, so the resources are not rebuilt for
    // nothing.
    std::string old;
    {
        std::ifstream in(args["rc"], std::ios::binary);
        old.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (old != rc)
    {
        std::ofstream file(args["rc"], std::ios::binary | std::ios::trunc);
        file << rc;
        if (!file)
            throw std::runtime_error("cannot write " + args["rc"]);
    }

    if (!args["sheet"].empty())
    {
        const std::unique_ptr<CSkinImage> picture = sheet.Render(painter.Sans());
        if (!picture->WritePng(args["sheet"]))
            throw std::runtime_error("cannot write " + args["sheet"]);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    int result = 1;
    try
    {
        result = Run(argc, argv);
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "skingen: %s\n", e.what());
    }
    cairo_debug_reset_static_data();
    return result;
}
