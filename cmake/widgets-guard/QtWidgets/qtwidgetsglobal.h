// Every Qt Widgets header includes this one first. This folder comes ahead of Qt's on the include path
// of the libraries that lie below the widget layers, so that any Widgets header stops their build here.
#error "this library lies below the widget layers and must not include Qt Widgets headers"
