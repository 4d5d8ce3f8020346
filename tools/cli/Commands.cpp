#include "tools/cli/Cli.h"
#include "tools/cli/QtModule.h"

const std::vector<TCliCommand>& CliCommands() {
  static const std::vector<TCliCommand> commands = {
      {"info", "describe a picture file without loading its pixels",
       "usage: lumivex-cli info FILE [--index N] [--set NAME=VALUE]...\n"
       "\n"
       "Prints one \"Name: value\" line per field: Format, Images, BitsPerPixel, Colors,\n"
       "Width, Height, Description, Version. Exit status 1 when the file is not recognised\n"
       "or holds no image N.\n"
       "\n"
       "  --index N         the image of a multi-image file to describe (default 0)\n"
       "  --set NAME=VALUE  changes a library-wide format setting, as for convert; TIFF files\n"
       "                    count their images with TIFFReadAllImages=true\n",
       RunInfo},
      {"convert", "load a picture and save it in the format of the output's extension",
       "usage: lumivex-cli convert [--index N] [--set NAME=VALUE]... [--warn ignore|ok|raise]\n"
       "                           INPUT OUTPUT\n"
       "\n"
       "Loads INPUT (recognised by content, then by extension) and saves OUTPUT in the format\n"
       "named by its extension, converting the colour resolution when that format needs it.\n"
       "On failure the message goes to stderr, the exit status is 1 and OUTPUT is left as it\n"
       "was (a new OUTPUT is not created).\n"
       "\n"
       "  --index N         the image to load from a multi-image file (default 0)\n"
       "  --set NAME=VALUE  changes a library-wide format setting, e.g. PXMWriteBinary=true,\n"
       "                    GammaCorrectionOnRead=false, TIFFXResolution=300/1; repeatable\n"
       "                    (see `lumivex-cli formats` for the names and current values)\n"
       "  --warn ACTION     answer to a reader's warning (damaged or truncated data) and to\n"
       "                    a colour-resolution conversion: ok (default: go on with what\n"
       "                    could be read, print the warning to stderr), ignore (go on\n"
       "                    silently) or raise (refuse: exit status 1 with the warning)\n"
       "\n"
       "An OUTPUT ending in .gif is reduced to 252 colours (236 from the picture and the 16\n"
       "system colours, dithered) and written as a single-image GIF89a:\n"
       "  --interlaced      store the rows interlaced\n"
       "  --transparent R,G,B  mark this colour transparent (when it occurs)\n"
       "\n"
       "usage: lumivex-cli convert [options] INPUT... --to FORMAT [--out DIR]\n"
       "\n"
       "Converts every INPUT file, and the pictures of every INPUT folder, to FORMAT (bmp,\n"
       "jpg, tif, png, tga, gif, ...). Each result takes its source's name with the new\n"
       "extension, beside the source or in DIR. One file's failure does not stop the others;\n"
       "the last line says \"N converted, N failed, N skipped\". Exit status 0 when all\n"
       "succeeded, 1 when any failed, 2 for a bad command line.\n"
       "\n"
       "  --recursive          descend into the subfolders of INPUT folders\n"
       "  --fit WxH            resize to fit W x H, keeping the aspect ratio (never enlarged)\n"
       "  --quality Q          resampling for --fit: fast, medium or precise (default)\n"
       "  --sharpen            sharpen after resizing\n"
       "  --jpeg-quality N     JPEG quality 1..100\n"
       "  --gif-transparent R,G,B  the transparent colour of GIF results\n"
       "  --interlaced         interlaced GIF results\n"
       "  --overwrite MODE     for existing results: ask (default; never without a terminal),\n"
       "                       never, always, or rename (a \"!\" in front of the name)\n"
       "  --jobs N             files converted at once (default: the number of cores); the\n"
       "                       results are the same for any N\n"
       "  --set, --warn        as above\n",
       RunConvert},
      {"formats", "list the registered readers, writers and format settings",
       "usage: lumivex-cli formats\n"
       "\n"
       "Lists the readers (extension, description, how they recognise data), the writers\n"
       "(extension, description, colour resolutions they store) and the format settings\n"
       "with their current values.\n",
       RunFormats},
      {"filter", "apply a colour filter, convolution filter or effect to a picture",
       "usage: lumivex-cli filter NAME [--param KEY=VALUE]... [--seed N] [--threads N]\n"
       "                          INPUT OUTPUT\n"
       "       lumivex-cli filter --list\n"
       "\n"
       "Loads INPUT, applies the filter NAME and saves OUTPUT in the format of its extension.\n"
       "Colour filters work in place (palette pictures keep their pixels and get a new\n"
       "palette); convolution filters and effects make a 24-bit picture, posterize a 4-bit one.\n"
       "Parameters left out take the defaults `--list` shows. An unknown name or key, or a\n"
       "value out of range, is a usage error (exit status 2) and nothing is written; a file\n"
       "that cannot be read or written gives exit status 1 and leaves OUTPUT as it was.\n"
       "\n"
       "  --list             every filter with its keys, ranges and defaults\n"
       "  --param KEY=VALUE  one parameter, e.g. --param brightness=20; repeatable\n"
       "  --seed N           the random sequence of spray and noise (default: a new one)\n"
       "  --threads N        threads for the filter (default: by picture size and cores)\n",
       RunFilterCommand},
      {"edit", "crop, turn, flip, border, resize or reduce the colours of a picture",
       "usage: lumivex-cli edit [--crop X,Y,W,H] [--rotate DEGREES] [--flip h|v]\n"
       "                        [--border WIDTH,R,G,B[,ellipse]] [--resize WxH]\n"
       "                        [--colors SPEC] INPUT OUTPUT\n"
       "\n"
       "Loads INPUT, runs the image editor's commands in the order given (each option may\n"
       "repeat) and saves OUTPUT in the format of its extension.\n"
       "\n"
       "  --crop X,Y,W,H     the area cut to the picture; an area wholly outside fails\n"
       "  --rotate DEGREES   clockwise, enlarged to hold the turned picture (-90 = 270)\n"
       "  --flip h|v         horizontally or vertically\n"
       "  --border W,R,G,B[,ellipse]  a border W pixels wide in that colour\n"
       "  --resize WxH       resampled to W x H in true colour\n"
       "  --colors SPEC      24; bw, gray4, sysgray4, gray16, sys16 (4 bits); gray236,\n"
       "                     gray256, special125, special216, special252 (8 bits); or\n"
       "                     optimized:N, a palette of N colours made for the picture\n"
       "\n"
       "A bad option is a usage error (exit status 2) and nothing is written; a file that\n"
       "cannot be read or written gives exit status 1 and leaves OUTPUT as it was.\n",
       RunEditCommand},
      {"listing", "print the listing of a folder's files with their sizes to a PDF file",
       "usage: lumivex-cli listing FOLDER --pdf OUT.pdf [--mask PATTERNS] [--paper NAME]\n"
       "                           [--orientation portrait|landscape] [--dpi N]\n"
       "\n"
       "Prints the folder listing report: one line per file, \"name  (NK)\" with the size in\n"
       "K (trunc(bytes / 1024) + 1), in name order, the folder as page header, \"Lumivex\n"
       "Directory Report\" and the page number at the foot of each page. Page-setup defaults\n"
       "saved in the browser (margins, fonts, header and footer options) apply. OUT.pdf is\n"
       "replaced only when the new file is complete. Exit status 1 when the folder cannot be\n"
       "read or no file matches.\n"
       "\n"
       "  --pdf OUT.pdf         the PDF file to write\n"
       "  --mask PATTERNS       the files to list, e.g. \"*.jpg;*.png\" (default: every file)\n"
       "  --paper NAME          letter (default), legal or a4\n"
       "  --orientation O       portrait or landscape (default: as page setup saved it)\n"
       "  --dpi N               resolution pages are laid out at (default 600)\n",
       RunListingInQtModule},
      {"album", "print an album file's pictures to a PDF file",
       "usage: lumivex-cli album print ALBUM.alb --pdf OUT.pdf [--paper NAME]\n"
       "                           [--orientation portrait|landscape] [--dpi N]\n"
       "\n"
       "Prints the album as the album window does: rows x columns cells per page, each\n"
       "picture fitted inside the album's frame border (in page pixels), frames and captions\n"
       "as the album says, page numbers at the foot of each page. Page-setup defaults saved\n"
       "in the browser apply. A picture that cannot be loaded leaves its cell empty (a line\n"
       "on stderr says which) and the rest prints. OUT.pdf is replaced only when the new\n"
       "file is complete. Exit status 1 when the album cannot be read or the PDF written.\n"
       "\n"
       "  --pdf OUT.pdf         the PDF file to write\n"
       "  --paper NAME          letter (default), legal or a4\n"
       "  --orientation O       portrait or landscape (default: as page setup saved it)\n"
       "  --dpi N               resolution pages are laid out at (default 600)\n",
       RunAlbumInQtModule},
      {"search", "find files by name pattern below folders",
       "usage: lumivex-cli search PATTERN [FOLDER]... [--all-volumes]\n"
       "\n"
       "Prints the absolute path of every file below the FOLDERs (default: the working\n"
       "folder) whose name matches PATTERN: \"*\" any run of characters, \"?\" one character,\n"
       "letters in either case, several patterns separated by \";\" (\"*.jpg;*.gif\").\n"
       "Hidden entries are skipped, links to folders are followed without entering a folder\n"
       "twice, and each walk stays on its folder's volume. The count goes to stderr.\n"
       "\n"
       "  --all-volumes   search every mounted volume (pseudo file systems left out)\n",
       RunSearch},
      {"move", "move a file without ever replacing one",
       "usage: lumivex-cli move SOURCE TARGET\n"
       "\n"
       "Renames SOURCE to TARGET on one file system; across file systems copies it, checks\n"
       "the copy's size and then removes SOURCE. An existing TARGET is never replaced; on\n"
       "any failure SOURCE stays and no partial TARGET remains (exit status 1).\n",
       RunMove},
      {"trash", "move files to the desktop's trash",
       "usage: lumivex-cli trash FILE...\n"
       "\n"
       "Moves each FILE to the trash of its own volume with the information a file manager\n"
       "needs to restore it. Exit status 1 when any FILE stays where it was.\n",
       RunTrash},
      {"sheet", "make a contact sheet of pictures",
       "usage: lumivex-cli sheet FILE... --out SHEET [OPTIONS]\n"
       "\n"
       "Makes a contact sheet: a grid of thumbnails of the FILEs in the given order, with\n"
       "their names under them, and saves it as SHEET in the format of its extension. The\n"
       "sheet's size goes to stdout (\"ThumbVex size : W X H\"). A FILE that cannot be\n"
       "loaded leaves an empty cell with its name, is reported on stderr and makes the exit\n"
       "status 1 (the sheet is still written).\n"
       "\n"
       "  --cols N               columns, 2..20 (default 6)\n"
       "  --size S               thumbnail size in pixels, 30..900 (default 96)\n"
       "  --hspace N, --vspace N spacing between cells, 5..100 and 20..100 (20, 30)\n"
       "  --background R,G,B     background colour (default 255,255,255)\n"
       "  --background-image F   a picture tiled over the background\n"
       "  --text-color R,G,B     colour of the file names (default 0,0,0)\n"
       "  --no-names             no file names under the thumbnails\n"
       "  --sharpen P            sharpening factor 50..100 (default 50); --no-sharpen\n"
       "  --border-color R,G,B   frame colour (default 255,0,0); --no-border\n"
       "  --no-shadow            no drop shadow; --bevel adds a 3D bevel\n"
       "  --title TEXT           a title line (--title-font, --title-size 6..72 (24),\n"
       "                         --title-color)\n"
       "  --footer TEXT          a footer line (--footer-font, --footer-size 6..72 (8),\n"
       "                         --footer-color)\n",
       RunSheetInQtModule},
      {"thumbnails", "make thumbnails through the desktop's shared thumbnail cache",
       "usage: lumivex-cli thumbnails FILE... [--size S] [--jobs N] [--no-cache]\n"
       "                              [--out-dir DIR]\n"
       "\n"
       "Makes the thumbnail of each FILE as the thumbnail explorer does: read from the shared\n"
       "thumbnail cache ($XDG_CACHE_HOME/thumbnails) when a current entry exists, otherwise\n"
       "decoded (JPEGs at a reduced scale), stored in the cache and reduced. Prints how many\n"
       "were made and how many came from the cache. Exit status 1 when a FILE could not be\n"
       "read.\n"
       "\n"
       "  --size S      thumbnail size, 16..1024 (default 128)\n"
       "  --jobs N      worker threads, at most the number of cores (default: all cores)\n"
       "  --no-cache    neither read nor write the cache\n"
       "  --out-dir DIR also save each S x S thumbnail there as NAME.png\n",
       RunThumbnails},
      {"associate", "make Lumivex the desktop's default program for picture types",
       "usage: lumivex-cli associate --program PATH [--types JPG,PNG,...]\n"
       "\n"
       "Writes the desktop entry lumivex.desktop (opening the files given, %F) under\n"
       "$XDG_DATA_HOME/applications and makes it the default of the types' MIME types in\n"
       "$XDG_CONFIG_HOME/mimeapps.list, keeping every other line of that file. The entry is\n"
       "written last; when it cannot be written, mimeapps.list gets its old text back.\n"
       "\n"
       "  --program PATH   the lumivex program the entry starts\n"
       "  --types LIST     of JPG, GIF, BMP, ICO, WMF, AVI, PCX, PNG, TGA, TIF (default: all)\n",
       RunAssociate},
      {"sort", "move or copy files into a folder the way the move tool does",
       "usage: lumivex-cli sort move|copy SOURCE-FOLDER TARGET-FOLDER NAME...\n"
       "\n"
       "Moves (or copies) each NAME of SOURCE-FOLDER into TARGET-FOLDER. A file that exists\n"
       "in the target is never replaced and an empty file is left alone; each is reported on\n"
       "stderr and the others go on. A move to another file system removes the source only\n"
       "after a complete copy. Prints the last file transferred; exit status 1 when any NAME\n"
       "was not transferred.\n",
       RunSort},
      {"desktop-entry", "write the desktop entry that opens pictures with Lumivex",
       "usage: lumivex-cli desktop-entry --program PATH OUTPUT\n"
       "\n"
       "Writes the desktop entry (Exec: PATH with the files given, %F; every picture MIME type)\n"
       "to OUTPUT, as the package installs it.\n",
       RunDesktopEntry},
      {"wallpaper", "set or remove the desktop wallpaper",
       "usage: lumivex-cli wallpaper centered|tiled|stretched FILE [--replace]\n"
       "       lumivex-cli wallpaper none\n"
       "\n"
       "Sets FILE as the wallpaper of the running desktop (GNOME, KDE Plasma or XFCE, by\n"
       "$XDG_CURRENT_DESKTOP), or removes the wallpaper. A picture that is not a BMP file is\n"
       "first saved as one in the data folder ($XDG_DATA_HOME/Corvane/Lumivex/wallpaper); an\n"
       "existing file there is replaced only with --replace. Prints the file used. Exit status\n"
       "1 when the desktop is not supported or refuses.\n",
       RunWallpaper},
  };
  return commands;
}
