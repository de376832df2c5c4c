<%@ Page Language="C#" %>
<asp:Panel runat="server">
<img src='banner.gif' usemap='#contact' alt='Contact us' />
<map name='contact'>
	<area shape='circ' coords='30,40,20' href='<%= ResolveUrl("~/mail.aspx") %>' alt='Mail' />
	<area shape='rect' coords='60,10,110,70' href='tel:+15550100' alt='Call' target='_top' />
</map>
</asp:Panel>
