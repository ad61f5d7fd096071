#pragma once
// The "no photograph" picture: a grey head-and-shoulders silhouette on a light background. The
// guest card shows it before any picture is loaded; demo/nofoto.jpg is this picture encoded.

#include <QImage>
#include <QSize>

QImage drawPlaceholderPhoto(const QSize& size);
