// What the module imports from the page (web/page/chorus-module.js supplies the functions); only
// the names matter to the link.
mergeInto(LibraryManager.library, {
  web_text_width: function() { throw new Error('the page supplies web_text_width'); },
  web_text_height: function() { throw new Error('the page supplies web_text_height'); },
});
