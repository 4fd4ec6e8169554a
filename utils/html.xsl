<?xml version="1.0" encoding="UTF-8"?>
<!--
  One HTML page of an FB2 book: cover, authors, title, series and annotation, then the text of
  every body with headings by section depth, poems, citations, epigraphs, tables, notes as links
  to the notes body, and the book's pictures taken from its binaries as data URIs, so that the page
  needs no other file. The program writes the result in UTF-8 with CR LF line ends.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:fb="http://www.gribuser.ru/xml/fictionbook/2.0"
    xmlns:l="http://www.w3.org/1999/xlink"
    exclude-result-prefixes="fb l">

  <xsl:output method="html" encoding="UTF-8" indent="no"
      doctype-public="-//W3C//DTD HTML 4.01//EN" doctype-system="http://www.w3.org/TR/html4/strict.dtd"/>
  <xsl:strip-space elements="*"/>
  <xsl:preserve-space elements="fb:p fb:v fb:subtitle fb:text-author fb:td fb:th fb:strong fb:emphasis
      fb:style fb:a fb:strikethrough fb:sub fb:sup fb:code"/>

  <xsl:key name="binary" match="fb:binary" use="@id"/>

  <xsl:variable name="info" select="/fb:FictionBook/fb:description/fb:title-info"/>

  <xsl:template match="/">
    <xsl:apply-templates select="fb:FictionBook"/>
  </xsl:template>

  <xsl:template match="fb:FictionBook">
    <html>
      <head>
        <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
        <title>
          <xsl:value-of select="normalize-space($info/fb:book-title)"/>
        </title>
        <style type="text/css">
          body { max-width: 46em; margin: 1em auto; padding: 0 1em; font-family: serif; line-height: 1.4; }
          p { margin: 0; text-indent: 1.5em; text-align: justify; }
          h1, h2, h3, h4, h5, h6, .subtitle { text-align: center; }
          h1 p, h2 p, h3 p, h4 p, h5 p, h6 p { text-indent: 0; text-align: center; margin: 0; }
          .subtitle { font-weight: bold; margin: 1em 0; text-indent: 0; }
          .authors { text-align: center; font-size: 1.2em; }
          .sequence { text-align: center; font-style: italic; }
          .cover { text-align: center; margin: 1em 0; }
          .cover img, .image img { max-width: 100%; }
          .image { text-align: center; margin: 1em 0; }
          .annotation { margin: 1.5em 2em; font-size: 0.95em; }
          .epigraph { margin: 1em 0 1em 40%; font-style: italic; }
          .cite { margin: 1em 2em; }
          .poem { margin: 1em 0 1em 3em; }
          .stanza { margin: 0.8em 0; }
          .v, .poem p { text-indent: 0; text-align: left; }
          .text-author { text-align: right; font-style: italic; text-indent: 0; }
          .empty-line { height: 1em; }
          table { border-collapse: collapse; margin: 1em auto; }
          td, th { border: 1px solid #888; padding: 0.2em 0.5em; }
          a.note { text-decoration: none; }
          .notes { margin-top: 3em; border-top: 1px solid #888; font-size: 0.9em; }
        </style>
      </head>
      <body>
        <xsl:for-each select="$info/fb:coverpage/fb:image[1]">
          <div class="cover">
            <xsl:call-template name="picture"/>
          </div>
        </xsl:for-each>
        <xsl:if test="$info/fb:author">
          <div class="authors">
            <xsl:for-each select="$info/fb:author">
              <xsl:if test="position() > 1">
                <xsl:text>, </xsl:text>
              </xsl:if>
              <xsl:call-template name="person"/>
            </xsl:for-each>
          </div>
        </xsl:if>
        <h1>
          <xsl:value-of select="normalize-space($info/fb:book-title)"/>
        </h1>
        <xsl:for-each select="$info/fb:sequence[normalize-space(@name) != '']">
          <div class="sequence">
            <xsl:value-of select="normalize-space(@name)"/>
            <xsl:if test="normalize-space(@number) != ''">
              <xsl:value-of select="concat(' — ', normalize-space(@number))"/>
            </xsl:if>
          </div>
        </xsl:for-each>
        <xsl:if test="$info/fb:annotation/*">
          <div class="annotation">
            <xsl:apply-templates select="$info/fb:annotation/*"/>
          </div>
        </xsl:if>
        <xsl:apply-templates select="fb:body"/>
      </body>
    </html>
  </xsl:template>

  <xsl:template name="person">
    <xsl:variable name="name" select="normalize-space(concat(fb:first-name, ' ', fb:middle-name, ' ', fb:last-name))"/>
    <xsl:choose>
      <xsl:when test="$name != ''">
        <xsl:value-of select="$name"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="normalize-space(fb:nickname)"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Structure -->

  <xsl:template match="fb:body">
    <div>
      <xsl:attribute name="class">
        <xsl:choose>
          <xsl:when test="position() > 1">body notes</xsl:when>
          <xsl:otherwise>body</xsl:otherwise>
        </xsl:choose>
      </xsl:attribute>
      <xsl:apply-templates/>
    </div>
  </xsl:template>

  <xsl:template match="fb:section">
    <div class="section">
      <xsl:call-template name="id"/>
      <xsl:apply-templates/>
    </div>
  </xsl:template>

  <!-- Titles: h2 for a body, then one level deeper per section, h6 at most. -->
  <xsl:template match="fb:body/fb:title | fb:section/fb:title">
    <xsl:variable name="depth" select="count(ancestor::fb:section) + 2"/>
    <xsl:element name="{concat('h', substring('234566666666', $depth - 1, 1))}">
      <xsl:apply-templates/>
    </xsl:element>
  </xsl:template>

  <xsl:template match="fb:poem/fb:title | fb:stanza/fb:title">
    <div class="subtitle">
      <xsl:apply-templates/>
    </div>
  </xsl:template>

  <xsl:template match="fb:p">
    <p>
      <xsl:call-template name="id"/>
      <xsl:apply-templates/>
    </p>
  </xsl:template>

  <xsl:template match="fb:subtitle">
    <p class="subtitle">
      <xsl:call-template name="id"/>
      <xsl:apply-templates/>
    </p>
  </xsl:template>

  <xsl:template match="fb:text-author">
    <p class="text-author">
      <xsl:apply-templates/>
    </p>
  </xsl:template>

  <xsl:template match="fb:empty-line">
    <div class="empty-line">&#160;</div>
  </xsl:template>

  <xsl:template match="fb:epigraph | fb:cite | fb:annotation">
    <div class="{local-name()}">
      <xsl:call-template name="id"/>
      <xsl:apply-templates/>
    </div>
  </xsl:template>

  <xsl:template match="fb:poem">
    <div class="poem">
      <xsl:call-template name="id"/>
      <xsl:apply-templates/>
    </div>
  </xsl:template>

  <xsl:template match="fb:stanza">
    <div class="stanza">
      <xsl:apply-templates/>
    </div>
  </xsl:template>

  <xsl:template match="fb:v">
    <div class="v">
      <xsl:apply-templates/>
    </div>
  </xsl:template>

  <xsl:template match="fb:poem/fb:date">
    <p class="text-author">
      <xsl:value-of select="normalize-space(.)"/>
    </p>
  </xsl:template>

  <xsl:template match="fb:table">
    <table>
      <xsl:call-template name="id"/>
      <xsl:apply-templates/>
    </table>
  </xsl:template>

  <xsl:template match="fb:tr">
    <tr>
      <xsl:apply-templates/>
    </tr>
  </xsl:template>

  <xsl:template match="fb:th | fb:td">
    <xsl:element name="{local-name()}">
      <xsl:for-each select="@colspan | @rowspan | @align | @valign">
        <xsl:attribute name="{local-name()}">
          <xsl:value-of select="."/>
        </xsl:attribute>
      </xsl:for-each>
      <xsl:apply-templates/>
    </xsl:element>
  </xsl:template>

  <xsl:template match="fb:body/fb:image | fb:section/fb:image">
    <div class="image">
      <xsl:call-template name="picture"/>
    </div>
  </xsl:template>

  <!-- Inline markup -->

  <xsl:template match="fb:strong">
    <strong><xsl:apply-templates/></strong>
  </xsl:template>

  <xsl:template match="fb:emphasis">
    <em><xsl:apply-templates/></em>
  </xsl:template>

  <xsl:template match="fb:strikethrough">
    <del><xsl:apply-templates/></del>
  </xsl:template>

  <xsl:template match="fb:sub">
    <sub><xsl:apply-templates/></sub>
  </xsl:template>

  <xsl:template match="fb:sup">
    <sup><xsl:apply-templates/></sup>
  </xsl:template>

  <xsl:template match="fb:code">
    <code><xsl:apply-templates/></code>
  </xsl:template>

  <xsl:template match="fb:style">
    <span class="{@name}"><xsl:apply-templates/></span>
  </xsl:template>

  <!-- Links within the book and to the web; any other kind of address (a script) is dropped. -->
  <xsl:template match="fb:a">
    <xsl:variable name="href" select="normalize-space(@l:href)"/>
    <xsl:variable name="scheme" select="translate(substring-before($href, ':'), 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')"/>
    <a>
      <xsl:if test="starts-with($href, '#') or $scheme = 'http' or $scheme = 'https' or $scheme = 'ftp' or $scheme = 'mailto'">
        <xsl:attribute name="href">
          <xsl:value-of select="$href"/>
        </xsl:attribute>
      </xsl:if>
      <xsl:if test="@type = 'note'">
        <xsl:attribute name="class">note</xsl:attribute>
      </xsl:if>
      <xsl:choose>
        <xsl:when test="@type = 'note'">
          <sup><xsl:apply-templates/></sup>
        </xsl:when>
        <xsl:otherwise>
          <xsl:apply-templates/>
        </xsl:otherwise>
      </xsl:choose>
    </a>
  </xsl:template>

  <xsl:template match="fb:p//fb:image | fb:v//fb:image | fb:subtitle//fb:image | fb:td//fb:image
      | fb:th//fb:image | fb:text-author//fb:image">
    <xsl:call-template name="picture"/>
  </xsl:template>

  <!-- A picture of the book: its binary as a data URI; nothing when the book lacks it. -->
  <xsl:template name="picture">
    <xsl:variable name="href" select="@l:href"/>
    <xsl:if test="starts-with($href, '#')">
      <xsl:variable name="binary" select="key('binary', substring($href, 2))[1]"/>
      <xsl:if test="$binary">
        <img alt="{@alt}">
          <xsl:attribute name="src">
            <xsl:value-of select="concat('data:', normalize-space($binary/@content-type), ';base64,',
                                         translate($binary, ' &#9;&#10;&#13;', ''))"/>
          </xsl:attribute>
          <xsl:if test="@title">
            <xsl:attribute name="title">
              <xsl:value-of select="@title"/>
            </xsl:attribute>
          </xsl:if>
        </img>
      </xsl:if>
    </xsl:if>
  </xsl:template>

  <xsl:template name="id">
    <xsl:if test="@id">
      <xsl:attribute name="id">
        <xsl:value-of select="@id"/>
      </xsl:attribute>
    </xsl:if>
  </xsl:template>

  <xsl:template match="fb:binary | fb:description"/>
</xsl:stylesheet>
