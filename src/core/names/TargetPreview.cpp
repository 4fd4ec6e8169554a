#include "TargetPreview.h"

#include "TargetNames.h"
#include "convert/BookConversion.h"
#include "run/RunPaths.h"

TTargetPreview PreviewTarget(const TBookData &book, const QString &fileName, const TAppSettings &settings)
{
    TTargetPreview target;
    target.FileName = settings.Rename ? BookRename(book, settings) : fileName;
    if (settings.Sort)
        target.Folder = SortedFolder(QString(), BookSort(book, settings));
    if (settings.Convert)
        target.FileName = ConvertedFileName(target.FileName, settings.ConvertType);
    if (settings.Archive)
        target.FileName += QStringLiteral(".zip");
    return target;
}
